#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};

extern "C" void OnQuitSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(SignalPipe[1], &byte, 1);
}

} // namespace

TQuitOnSignal::TQuitOnSignal()
{
    if (pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    FNotifier = std::make_unique<QSocketNotifier>(SignalPipe[0], QSocketNotifier::Read);
    connect(FNotifier.get(), &QSocketNotifier::activated, this, [] { QCoreApplication::quit(); });
    std::signal(SIGTERM, OnQuitSignal);
    std::signal(SIGINT, OnQuitSignal);
}

TQuitOnSignal::~TQuitOnSignal()
{
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    FNotifier.reset();
    for (int& fd : SignalPipe) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
}
