// The fake endpoint as a program, for scripts and the command-line tool's tests: prints its port
// and serves until SIGTERM, SIGINT or the end of its standard input.

#include "FakeEndpoint.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

using namespace zorvanel::test;

namespace {

constexpr const char* Usage =
    "usage: fake_endpoint [--tls] [--proxy] [--proxy-credentials USER:PASS] [--refuse ID[,ID...]]\n"
    "                     [--refuse-by-redirect] [--log-dir DIR] [--ignore-stdin]\n"
    "Prints the port, then serves on 127.0.0.1 until SIGTERM, SIGINT or the end of standard input\n"
    "(with --ignore-stdin only until a signal). --refuse defaults to gtx; --refuse \"\" refuses none.\n"
    "Refused ids get 429, or with --refuse-by-redirect a 302 to /sorry/index.\n";

struct TArguments
{
    TFakeEndpointOptions Options;
    QString LogDir;
    bool IgnoreStdin = false;
};

std::optional<TArguments> ParseArguments(int argc, char** argv)
{
    TArguments arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--tls") {
            arguments.Options.Tls = true;
        } else if (option == "--proxy") {
            arguments.Options.Proxy = true;
        } else if (option == "--refuse-by-redirect") {
            arguments.Options.RefuseByRedirect = true;
        } else if (option == "--ignore-stdin") {
            arguments.IgnoreStdin = true;
        } else if (option == "--proxy-credentials" && hasValue) {
            arguments.Options.Proxy = true;
            arguments.Options.ProxyCredentials = argv[++i];
        } else if (option == "--refuse" && hasValue) {
            arguments.Options.RefusedClients.clear();
            for (const QByteArray& id : QByteArray(argv[++i]).split(',')) {
                if (!id.isEmpty())
                    arguments.Options.RefusedClients.append(id);
            }
        } else if (option == "--log-dir" && hasValue) {
            arguments.LogDir = QString::fromLocal8Bit(argv[++i]);
        } else {
            return std::nullopt;
        }
    }
    return arguments;
}

void WriteRequestFile(const QString& dir, const TRecordedRequest& request, int number)
{
    QFile file(dir + QStringLiteral("/request-%1.bin").arg(number));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(request.Raw) != request.Raw.size())
        std::cerr << "fake_endpoint: cannot write " << file.fileName().toStdString() << '\n';
}

// Waits for SIGTERM or SIGINT (blocked and read through fd) or, unless ignored, the end of stdin.
void WaitForEnd(int signalFd, bool ignoreStdin)
{
    pollfd fds[2] = {{signalFd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    const nfds_t count = ignoreStdin ? 1 : 2;
    for (;;) {
        if (::poll(fds, count, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents != 0)
            return;
        if (fds[1].revents & POLLNVAL) // no stdin at all: only a signal ends the run
            fds[1].fd = -1;
        else if (fds[1].revents != 0) {
            char discard[4096];
            if (::read(STDIN_FILENO, discard, sizeof discard) <= 0)
                return;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::optional<TArguments> arguments = ParseArguments(argc, argv);
    if (!arguments) {
        std::cerr << Usage;
        return 2;
    }

    // Blocked before any thread starts, so that every thread inherits the mask and the signals
    // reach the signalfd only.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGTERM);
    sigaddset(&endSignals, SIGINT);
    sigprocmask(SIG_BLOCK, &endSignals, nullptr);
    const int signalFd = ::signalfd(-1, &endSignals, SFD_CLOEXEC);
    if (signalFd < 0) {
        std::perror("fake_endpoint: signalfd");
        return 1;
    }

    if (!arguments->LogDir.isEmpty()) {
        const QString dir = arguments->LogDir;
        if (!QDir().mkpath(dir)) {
            std::cerr << "fake_endpoint: cannot create " << dir.toStdString() << '\n';
            return 1;
        }
        arguments->Options.OnRequest = [dir](const TRecordedRequest& request, int number) {
            WriteRequestFile(dir, request, number);
        };
    }

    try {
        TFakeEndpoint endpoint(arguments->Options);
        std::printf("%u\n", static_cast<unsigned>(endpoint.Port()));
        std::fflush(stdout);
        WaitForEnd(signalFd, arguments->IgnoreStdin);
    } catch (const std::exception& error) {
        std::cerr << "fake_endpoint: " << error.what() << '\n';
        return 1;
    }
    ::close(signalFd);
    return 0;
}
