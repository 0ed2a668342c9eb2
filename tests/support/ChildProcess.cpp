#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace zorvanel::test {

namespace {

constexpr auto StopGrace = std::chrono::seconds(5);

struct TSpawnFileActions
{
    TSpawnFileActions() { posix_spawn_file_actions_init(&FActions); }
    ~TSpawnFileActions() { posix_spawn_file_actions_destroy(&FActions); }
    posix_spawn_file_actions_t FActions;
};

struct TSpawnAttributes
{
    TSpawnAttributes() { posix_spawnattr_init(&FAttributes); }
    ~TSpawnAttributes() { posix_spawnattr_destroy(&FAttributes); }
    posix_spawnattr_t FAttributes;
};

} // namespace

TChildProcess::TChildProcess(const QByteArray& program, const QList<QByteArray>& arguments,
                             const QString& logFile)
{
    const QByteArray logPath = logFile.toLocal8Bit();
    TSpawnFileActions files;
    posix_spawn_file_actions_addopen(&files.FActions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files.FActions, 1, logPath.constData(), O_WRONLY | O_CREAT | O_APPEND,
                                     0644);
    posix_spawn_file_actions_adddup2(&files.FActions, 1, 2);

    // The test program may block or ignore signals (the fake endpoint's threads block SIGPIPE);
    // the child must start from the defaults so that SIGTERM stops it.
    TSpawnAttributes attributes;
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGQUIT})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigmask(&attributes.FAttributes, &none);
    posix_spawnattr_setsigdefault(&attributes.FAttributes, &defaults);
    posix_spawnattr_setflags(&attributes.FAttributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::vector<QByteArray> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const int error = posix_spawn(&FPid, program.constData(), &files.FActions, &attributes.FAttributes,
                                  argv.data(), environ);
    if (error != 0)
        throw std::runtime_error("cannot start " + program.toStdString() + ": " + std::strerror(error));
}

TChildProcess::~TChildProcess()
{
    Stop();
}

bool TChildProcess::HasExited()
{
    if (!FReaped) {
        int status = 0;
        FReaped = ::waitpid(FPid, &status, WNOHANG) == FPid;
    }
    return FReaped;
}

void TChildProcess::Stop()
{
    if (HasExited())
        return;
    ::kill(FPid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + StopGrace;
    while (std::chrono::steady_clock::now() < deadline) {
        if (HasExited())
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(FPid, SIGKILL);
    int status = 0;
    ::waitpid(FPid, &status, 0);
    FReaped = true;
}

} // namespace zorvanel::test
