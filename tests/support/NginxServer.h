#pragma once
// A real nginx on 127.0.0.1 serving HTTPS with the test certificate (localhost), answering
// /translate_a/single with fixed JSON, keep-alive on; for checking the client against a server
// that is not our own.

#include "LocalServer.h"

#include <QByteArray>
#include <QTemporaryDir>

namespace zorvanel::test {

class TNginxServer
{
public:
    static QByteArray DefaultJson();

    // Starts nginx and waits until it accepts connections; throws std::runtime_error otherwise.
    explicit TNginxServer(QByteArray json = DefaultJson());
    ~TNginxServer(); // stops and reaps nginx

    quint16 Port() const { return FServer.Port; }
    QByteArray BaseUrl() const; // "https://localhost:PORT"
    QString LogFile() const;    // nginx's own errors and output

private:
    QTemporaryDir FDir; // configuration, pid, log and temporary files: nothing outside it
    TLocalServer FServer;
};

} // namespace zorvanel::test
