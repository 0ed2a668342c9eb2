#pragma once
// A bare HTTP client for the support's own tests: plain sockets and OpenSSL, no libcurl, so that
// what the fake endpoint and the fixtures put on the wire is seen as it is. Every wait is bounded.

#include "SslHandles.h"
#include "UniqueFd.h"

#include <QByteArray>

#include <string>

namespace zorvanel::test {

class TTestClient
{
public:
    explicit TTestClient(quint16 port); // connects to 127.0.0.1:port; throws on failure

    void Send(const QByteArray& bytes);

    // One answer: its head, then as many body bytes as Content-Length says. Less when the
    // connection ends first. Throws when nothing more comes within the time-out.
    QByteArray ReadAnswer();
    // Everything up to the peer's end of stream; throws when that does not come in time, or
    // when the peer resets the connection instead of closing it.
    QByteArray ReadToEnd();
    // True when nothing arrives (and the connection stays open) for milliseconds.
    bool StaysQuiet(int milliseconds);

    // TLS on the connection as it is now, checking the certificate against the test CA for host
    // (a DNS name, sent as SNI, or an IP address). Returns the failure text, empty on success.
    std::string StartTls(const QByteArray& host);

private:
    qsizetype ReadSome(int timeoutMs); // appends to FPending; > 0, 0 at the end, -1 on time-out
    bool ReadMore();                   // false at the end; throws on time-out

    TUniqueFd FSocket;
    TSslCtxPtr FContext;
    TSslPtr FSsl;
    QByteArray FPending;
};

// The status code of an answer's status line, -1 when there is none.
int StatusCode(const QByteArray& answer);
QByteArray AnswerBody(const QByteArray& answer);

} // namespace zorvanel::test
