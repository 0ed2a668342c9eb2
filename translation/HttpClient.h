#pragma once
// The HTTP client every translation goes through: HTTP/1.1 over libcurl with the exact request
// head the endpoint is used to, an in-memory cookie store, no redirects, a proxy with CONNECT
// tunnelling, and every failure turned into the message text callers compare against.
// One request at a time; Cancel may be called from any thread.

#include "AnswerHead.h"
#include "CookieStore.h"

#include <QByteArray>
#include <QList>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

struct TRequestFields
{
    QByteArray Connection;
    QByteArray ContentType;
    QByteArray CacheControl;
    QByteArray Pragma;
    QByteArray Accept;
    QByteArray AcceptLanguage;
    QByteArray Referer;
    QByteArray UserAgent;
    QByteArray Host; // always replaced from the URL
};

enum class THttpVersion
{
    Http10,
    Http11
};

struct TProxyParams
{
    QByteArray Server; // empty: direct connection
    int Port = 0;
    QByteArray UserName;
    QByteArray Password;
};

class THttpClient
{
public:
    THttpClient();
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    // Set by the caller between requests; they keep their values until reset.
    TRequestFields Request;
    THttpVersion ProtocolVersion = THttpVersion::Http11;
    bool KeepPostOnProtocolVersion = false; // without it a POST falls back to HTTP/1.0
    void ResetRequestFields();

    // The proxy may be changed while a request runs; the change applies from the next request.
    void SetProxyServer(const QByteArray& server);
    void SetProxyPort(int port);
    void SetProxyUserName(const QByteArray& userName);
    void SetProxyPassword(const QByteArray& password);
    void ClearProxy();
    TProxyParams Proxy() const;

    // Both return only on success and append the body of a 2xx answer to stream. Failures throw
    // THttpError; a request stopped by Cancel throws THttpCancelled.
    void Get(const QByteArray& url, QByteArray& stream);
    void Post(const QByteArray& url, const QList<QByteArray>& lines, QByteArray& stream);

    // Stops the request in flight at once and refuses every later one. Any thread.
    void Cancel();
    bool IsCancelled() const { return FCancelled.load(); }

    // Connecting gives up after connect, and waiting for an answer once the request is out
    // after idle in which no byte arrived (however long the answer takes as a whole); both with
    // socket error 10060.
    void SetTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds idle);

private:
    struct TTransfer;
    // body: nullptr for a GET
    void Perform(const QByteArray& url, const QByteArray* body, QByteArray& stream);
    // Returns when the exchange that ended with this libcurl result gave a usable answer.
    static void ThrowUnlessAnswered(const TAnswerHead& head, int curlCode, long osErrno,
                                    const char* errorText);

    struct TCurl;
    std::unique_ptr<TCurl> FCurl;
    TCookieStore FCookies;
    mutable std::mutex FProxyMutex;
    TProxyParams FProxy;
    std::atomic<bool> FCancelled{false};
    std::chrono::milliseconds FConnectTimeout{std::chrono::seconds(30)};
    std::chrono::milliseconds FIdleTimeout{std::chrono::seconds(30)};
};

// The body a POST of these lines sends: joined with CR LF, trimmed of blanks and control
// characters at both ends, every CR LF then turned into "&".
QByteArray PostBodyFromLines(const QList<QByteArray>& lines);
