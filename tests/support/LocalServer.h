#pragma once
// Starting a server program as a child on a free port of 127.0.0.1, for the fixtures that run
// real peers (nginx, tinyproxy).

#include "ChildProcess.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace zorvanel::test {

// A port of 127.0.0.1 that was free a moment ago.
quint16 FreeLoopbackPort();

// Whether something accepts TCP connections on 127.0.0.1:port right now.
bool AcceptsConnections(quint16 port);

struct TLocalServer
{
    std::unique_ptr<TChildProcess> Process;
    quint16 Port = 0;
};

// Picks a free port, lets argumentsFor write the configuration for it and give the command line,
// starts program and waits (up to about 10 s) until the port accepts connections. A child that
// dies first (the port was taken in between) is started again on another port, a few times.
// Throws std::runtime_error with the end of the log when it does not come up.
TLocalServer StartLocalServer(const QByteArray& program,
                              const std::function<QList<QByteArray>(quint16 port)>& argumentsFor,
                              const QString& logFile);

} // namespace zorvanel::test
