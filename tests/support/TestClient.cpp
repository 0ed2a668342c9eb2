#include "TestClient.h"

#include "FakeEndpoint.h"

#include <QList>

#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>

namespace zorvanel::test {

namespace {
constexpr int TimeoutMs = 5000;
}

TTestClient::TTestClient(quint16 port) : FSocket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (!FSocket.Valid() ||
        ::connect(FSocket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot connect to 127.0.0.1:" + std::to_string(port));
}

void TTestClient::Send(const QByteArray& bytes)
{
    const bool sent =
        FSsl ? SSL_write(FSsl.get(), bytes.constData(), static_cast<int>(bytes.size())) == bytes.size()
             : ::send(FSocket.Get(), bytes.constData(), bytes.size(), MSG_NOSIGNAL) == bytes.size();
    if (!sent)
        throw std::runtime_error("send failed");
}

qsizetype TTestClient::ReadSome(int timeoutMs)
{
    if (!FSsl || SSL_pending(FSsl.get()) == 0) {
        pollfd socket = {FSocket.Get(), POLLIN, 0};
        if (::poll(&socket, 1, timeoutMs) <= 0)
            return -1;
    }
    char buffer[16384];
    const qsizetype count =
        FSsl ? SSL_read(FSsl.get(), buffer, sizeof buffer) : ::recv(FSocket.Get(), buffer, sizeof buffer, 0);
    if (count < 0 && !FSsl && errno == ECONNRESET)
        throw std::runtime_error("connection reset by the peer");
    if (count <= 0) {
        TakeSslErrors();
        return 0;
    }
    FPending.append(buffer, count);
    return count;
}

bool TTestClient::ReadMore()
{
    const qsizetype count = ReadSome(TimeoutMs);
    if (count < 0)
        throw std::runtime_error("no answer within the time-out");
    return count > 0;
}

QByteArray TTestClient::ReadAnswer()
{
    qsizetype headEnd = -1;
    while ((headEnd = FPending.indexOf("\r\n\r\n")) < 0) {
        if (!ReadMore())
            return std::exchange(FPending, {});
    }
    qsizetype size = headEnd + 4;
    for (const QByteArray& line : FPending.left(headEnd).split('\n')) {
        if (line.toLower().startsWith("content-length:"))
            size += line.mid(15).trimmed().toLongLong();
    }
    while (FPending.size() < size && ReadMore()) {
    }
    const QByteArray answer = FPending.left(size);
    FPending.remove(0, answer.size());
    return answer;
}

QByteArray TTestClient::ReadToEnd()
{
    while (ReadMore()) {
    }
    return std::exchange(FPending, {});
}

bool TTestClient::StaysQuiet(int milliseconds)
{
    return ReadSome(milliseconds) < 0;
}

std::string TTestClient::StartTls(const QByteArray& host)
{
    FContext.reset(SSL_CTX_new(TLS_client_method()));
    const QByteArray caFile = TestCaFile().toLocal8Bit();
    if (!FContext || SSL_CTX_load_verify_locations(FContext.get(), caFile.constData(), nullptr) != 1)
        return "cannot load the test CA: " + TakeSslErrors();
    SSL_CTX_set_verify(FContext.get(), SSL_VERIFY_PEER, nullptr);
    FSsl.reset(SSL_new(FContext.get()));
    SSL_set_fd(FSsl.get(), FSocket.Get());

    in_addr ip{};
    if (::inet_pton(AF_INET, host.constData(), &ip) == 1) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(FSsl.get()), host.constData());
    } else {
        SSL_set_tlsext_host_name(FSsl.get(), host.constData());
        SSL_set1_host(FSsl.get(), host.constData());
    }
    if (SSL_connect(FSsl.get()) != 1) {
        std::string error = X509_verify_cert_error_string(SSL_get_verify_result(FSsl.get()));
        error += " / " + TakeSslErrors();
        FSsl.reset();
        return error;
    }
    return {};
}

int StatusCode(const QByteArray& answer)
{
    bool ok = false;
    const int code = answer.left(answer.indexOf("\r\n")).split(' ').value(1).toInt(&ok);
    return ok ? code : -1;
}

QByteArray AnswerBody(const QByteArray& answer)
{
    const qsizetype headEnd = answer.indexOf("\r\n\r\n");
    return headEnd < 0 ? QByteArray() : answer.mid(headEnd + 4);
}

} // namespace zorvanel::test
