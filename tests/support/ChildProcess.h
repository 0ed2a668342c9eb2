#pragma once
// A child program started by a test fixture, its output appended to a log file, stopped and
// reaped when the owner goes away.

#include <QByteArray>
#include <QList>
#include <QString>

#include <sys/types.h>

namespace zorvanel::test {

class TChildProcess
{
public:
    // Throws std::runtime_error when the program cannot be started.
    TChildProcess(const QByteArray& program, const QList<QByteArray>& arguments, const QString& logFile);
    ~TChildProcess(); // Stop()
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    pid_t Pid() const { return FPid; }
    bool HasExited(); // reaps it when it has
    // SIGTERM, then SIGKILL if it has not ended within a few seconds; reaps it.
    void Stop();

private:
    pid_t FPid = -1;
    bool FReaped = false;
};

} // namespace zorvanel::test
