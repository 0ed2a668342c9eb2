#pragma once
// A scripted stand-in for the translation endpoint on 127.0.0.1, plain HTTP or HTTPS with the
// test certificate authority of this folder. It records every request exactly as the bytes
// arrived and answers from a queue of scripted answers, or, when the queue is empty, like the
// real endpoint: a translation, 413 for a text of more than 5,000 characters, or 429 with a
// "sorry" page (or a 302 to it) for the client ids it refuses.
// It can also act as an HTTP proxy that opens CONNECT tunnels into itself.

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace zorvanel::test {

// Every member has a default initializer, so designated initializers may leave any out without
// a -Wmissing-field-initializers warning.
struct TRecordedRequest
{
    QByteArray Raw{};       // head and body exactly as received
    QByteArray Head{};      // request line and header lines up to and including the empty line
    QByteArray Body{};      // per Content-Length (or up to the connection's end)
    QByteArray Method{};    // "GET", "POST", "CONNECT", ...
    QByteArray Target{};    // as on the request line
    int Connection = 0;     // 1-based number of the TCP connection it came on
    bool Tunnelled = false; // arrived through a CONNECT tunnel (TLS inside the tunnel)
};

struct TScriptedAnswer
{
    enum class TKind
    {
        Respond,            // read the request, send Bytes, then keep the connection open or close
        CloseBeforeReading, // close the connection as soon as it is accepted, reading nothing
        CloseAfterReading,  // read the whole request, then close without a byte of answer
        ResetAfterReading,  // read the whole request, then reset the connection (TCP RST)
        Silent,             // read the request and never answer (until the endpoint stops)
    };
    TKind Kind = TKind::Respond;
    QByteArray Bytes{};      // the raw answer: status line, headers, empty line, body
    bool CloseAfter = false; // close the connection once Bytes (and Trickle) are sent
    // Respond: after Bytes, each byte of Trickle goes out alone, TricklePause after the one before.
    QByteArray Trickle{};
    std::chrono::milliseconds TricklePause{0};
};

struct TFakeEndpointOptions
{
    bool Tls = false;   // serve HTTPS with tests/support/certs/server.{crt,key}
    bool Proxy = false; // also accept CONNECT host:port and tunnel into itself (TLS inside when Tls)
    QByteArray ProxyCredentials{}; // "user:password": CONNECT and proxied requests without matching
                                   // Proxy-Authorization: Basic get 407 with Proxy-Authenticate
    QByteArray ConnectAnswer{};    // when set, the proxy answers every CONNECT with these raw bytes
                                   // (a refusal) instead of opening the tunnel
    QList<QByteArray> RefusedClients = {"gtx"}; // client ids answered with 429 by the default answer
    bool RefuseByRedirect = false;              // refused ids get a 302 to the "sorry" page instead of a 429
    // Called on a connection's thread as each request is recorded, number counting from 1, with
    // the endpoint's lock held: it must not call back into the endpoint.
    std::function<void(const TRecordedRequest& request, int number)> OnRequest{};
};

class TFakeEndpoint
{
public:
    explicit TFakeEndpoint(TFakeEndpointOptions options = {});
    ~TFakeEndpoint(); // stops, closes every connection, joins its threads

    quint16 Port() const;
    // "https://localhost:PORT" or "http://localhost:PORT"
    QByteArray BaseUrl() const;

    // Answers are used in order, one per request, except CloseBeforeReading, which is taken when a
    // connection is accepted while it heads the queue (if a request on an older connection finds
    // it there, it is used up on that one: the request is read and the connection closed).
    // CONNECT requests and 407 answers of the proxy take nothing from the queue. When the queue is
    // empty the default answer is given.
    void Enqueue(TScriptedAnswer answer);
    void Respond(QByteArray bytes, bool closeAfter = false); // shorthand for Enqueue

    std::vector<TRecordedRequest> Requests() const; // every request so far, CONNECTs included
    int ConnectionCount() const;                    // TCP connections accepted so far
    // The "client" parameter of every request to the translation path so far, in order.
    QList<QByteArray> ClientIds() const;

    // The translation the default answer gives for a text: deterministic and readable.
    static QString FakeTranslation(const QString& text, const QString& sourceLang, const QString& targetLang);

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

// Path of the test certificate authority's certificate (PEM), for ZORVANEL_CA_FILE.
QString TestCaFile();
QString TestServerCertFile();
QString TestServerKeyFile();

} // namespace zorvanel::test
