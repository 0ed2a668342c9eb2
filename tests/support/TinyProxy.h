#pragma once
// A real tinyproxy on 127.0.0.1 that forwards plain requests and tunnels CONNECT to any port,
// optionally asking for basic credentials.

#include "LocalServer.h"

#include <QByteArray>
#include <QTemporaryDir>

namespace zorvanel::test {

class TTinyProxy
{
public:
    // credentials "user:password" turn on BasicAuth; empty lets every local client through.
    // Starts tinyproxy and waits until it accepts connections; throws std::runtime_error otherwise.
    explicit TTinyProxy(QByteArray credentials = {});
    ~TTinyProxy(); // stops and reaps tinyproxy

    quint16 Port() const { return FServer.Port; }
    QString LogFile() const;

private:
    QTemporaryDir FDir; // configuration, pid and log: nothing outside it
    TLocalServer FServer;
};

} // namespace zorvanel::test
