#include "LocalServer.h"

#include "UniqueFd.h"

#include <QFile>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>

namespace zorvanel::test {

namespace {

constexpr int Attempts = 5;
constexpr auto StartTimeout = std::chrono::seconds(10);

sockaddr_in Loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

std::string LogTail(const QString& logFile)
{
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly))
        return "(no log)";
    return file.readAll().right(2000).toStdString();
}

} // namespace

quint16 FreeLoopbackPort()
{
    TUniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (!socket.Valid() || ::bind(socket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(socket.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("no free port on 127.0.0.1");
    return ntohs(address.sin_port);
}

bool AcceptsConnections(quint16 port)
{
    TUniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in address = Loopback(port);
    return socket.Valid() &&
           ::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

TLocalServer StartLocalServer(const QByteArray& program,
                              const std::function<QList<QByteArray>(quint16 port)>& argumentsFor,
                              const QString& logFile)
{
    for (int attempt = 1; attempt <= Attempts; ++attempt) {
        TLocalServer server;
        server.Port = FreeLoopbackPort();
        server.Process = std::make_unique<TChildProcess>(program, argumentsFor(server.Port), logFile);
        const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
        while (!server.Process->HasExited() && std::chrono::steady_clock::now() < deadline) {
            if (AcceptsConnections(server.Port))
                return server;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!server.Process->HasExited())
            throw std::runtime_error(program.toStdString() + " did not accept connections within " +
                                     std::to_string(StartTimeout.count()) + " s: " + LogTail(logFile));
    }
    throw std::runtime_error(program.toStdString() + " did not start: " + LogTail(logFile));
}

} // namespace zorvanel::test
