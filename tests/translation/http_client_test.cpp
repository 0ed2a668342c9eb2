// The HTTP client on the wire: request bytes, answers, failures and their texts, cookies,
// connection reuse, TLS, proxies and cancellation, against the fake endpoint on loopback.

#include "HttpClient.h"
#include "HttpFailure.h"
#include "HttpTarget.h"
#include "HttpTestSupport.h"
#include "RequestHeaders.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace zorvanel::test;

// Readable failure messages: gtest would otherwise print a QString as a list of raw UTF-16 units.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr char UserAgent[] =
    "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/534.13 (KHTML, like "
    "Gecko) Chrome/9.0.597.67 Safari/534";

struct TExchange
{
    QByteArray Stream;
    QString Error; // empty on success
    int StatusCode = 0;
};

TExchange RunGet(THttpClient& http, const QByteArray& url, QByteArray stream = {})
{
    TExchange exchange{std::move(stream), {}, 0};
    try {
        http.Get(url, exchange.Stream);
    } catch (const THttpError& error) {
        exchange.Error = error.Message();
        exchange.StatusCode = error.StatusCode();
    }
    return exchange;
}

class HttpClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ServiceBaseUrl = QStringLiteral("https://translate.googleapis.com");
        PrepareRequestHeaders(FHttp);
    }
    THttpClient FHttp;
};

TEST_F(HttpClientTest, GetOverHttpSendsTheHeadInItsFixedOrder)
{
    TFakeEndpoint endpoint;
    endpoint.Respond(Ok("hello"));
    const TExchange exchange =
        RunGet(FHttp, endpoint.BaseUrl() + "/translate_a/single?client=gtx&q=a b\xC3\xA9");
    ASSERT_EQ(exchange.Error, QString());
    EXPECT_EQ(exchange.Stream, "hello");
    const QByteArray expected = "GET /translate_a/single?client=gtx&q=a b\xC3\xA9 HTTP/1.1\r\n"
                                "Connection: keep-alive\r\n"
                                "Content-Type: application/x-www-form-urlencoded\r\n"
                                "Cache-control: no-cache\r\n"
                                "Pragma: no-cache\r\n"
                                "Host: localhost:" +
                                QByteArray::number(endpoint.Port()) +
                                "\r\n"
                                "Accept: */*\r\n"
                                "Accept-Encoding: identity\r\n"
                                "Accept-Language: en\r\n"
                                "Referer: https://translate.googleapis.com\r\n"
                                "User-Agent: " +
                                QByteArray(UserAgent) + "\r\n\r\n";
    EXPECT_EQ(endpoint.Requests().at(0).Raw, expected);
}

TEST_F(HttpClientTest, PostOverHttpsSendsTheJoinedBodyWithItsLengthAndNoConnectionHeader)
{
    TTrustTestCa trust;
    TFakeEndpoint endpoint({.Tls = true});
    endpoint.Respond(Ok("[]"));
    QByteArray stream;
    FHttp.Post(endpoint.BaseUrl() + "/translate_a/single", {"client=gtx", "dt=t", "q=abc", "sl=en", "tl=ar"},
               stream);
    EXPECT_EQ(stream, "[]");
    const QByteArray expected = "POST /translate_a/single HTTP/1.1\r\n"
                                "Content-Type: application/x-www-form-urlencoded\r\n"
                                "Content-Length: 33\r\n"
                                "Cache-control: no-cache\r\n"
                                "Pragma: no-cache\r\n"
                                "Host: localhost:" +
                                QByteArray::number(endpoint.Port()) +
                                "\r\n"
                                "Accept: */*\r\n"
                                "Accept-Encoding: identity\r\n"
                                "Accept-Language: en\r\n"
                                "Referer: https://translate.googleapis.com\r\n"
                                "User-Agent: " +
                                QByteArray(UserAgent) +
                                "\r\n\r\n"
                                "client=gtx&dt=t&q=abc&sl=en&tl=ar";
    EXPECT_EQ(endpoint.Requests().at(0).Raw, expected);
}

TEST_F(HttpClientTest, HeadersLeftEmptyAreNotSentAndHtmlContentTypeBecomesAForm)
{
    TFakeEndpoint endpoint;
    endpoint.Respond(Ok(""));
    endpoint.Respond(Ok(""));
    FHttp.ResetRequestFields();
    QByteArray stream;
    FHttp.Get(endpoint.BaseUrl() + "/x", stream);
    FHttp.Request.ContentType = "text/html";
    FHttp.Post(endpoint.BaseUrl() + "/x", {"  a=1", "b=2 \r\n"}, stream);
    const QByteArray host = "Host: localhost:" + QByteArray::number(endpoint.Port()) + "\r\n";
    const auto requests = endpoint.Requests();
    EXPECT_EQ(requests.at(0).Raw, "GET /x HTTP/1.1\r\n" + host + "Accept-Encoding: identity\r\n\r\n");
    EXPECT_EQ(requests.at(1).Raw, "POST /x HTTP/1.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                                  "Content-Length: 7\r\n" +
                                      host + "Accept-Encoding: identity\r\n\r\na=1&b=2");
}

TEST(PostBody, JoinsTrimmedLinesWithAmpersands)
{
    EXPECT_EQ(PostBodyFromLines({"client=gtx", "dt=t", "q=abc", "sl=en", "tl=ar"}),
              "client=gtx&dt=t&q=abc&sl=en&tl=ar");
    EXPECT_EQ(PostBodyFromLines({" \t single\r\n"}), "single");
    EXPECT_EQ(PostBodyFromLines({"a", "", "b"}), "a&&b");
    EXPECT_EQ(PostBodyFromLines({}), "");
}

TEST(SplitUrl, TakesHostPortAndTargetUnchanged)
{
    struct TCase
    {
        QByteArray Url, Host, HostHeader, Target;
        int Port;
    };
    const TCase cases[] = {
        {"https://translate.googleapis.com/translate_a/single?q=a+b", "translate.googleapis.com",
         "translate.googleapis.com", "/translate_a/single?q=a+b", 443},
        {"http://example.org", "example.org", "example.org", "/", 80},
        {"https://example.org:8443?x=1", "example.org", "example.org:8443", "/?x=1", 8443},
        {"http://example.org:443/a", "example.org", "example.org:443", "/a", 443},
        {"HTTP://user:pw@[::1]:81/p q", "::1", "[::1]:81", "/p q", 81},
    };
    for (const TCase& c : cases) {
        const THttpTarget target = SplitUrl(c.Url);
        EXPECT_EQ(target.Host, c.Host) << c.Url.constData();
        EXPECT_EQ(target.HostHeader(), c.HostHeader) << c.Url.constData();
        EXPECT_EQ(target.Target, c.Target) << c.Url.constData();
        EXPECT_EQ(target.Port, c.Port) << c.Url.constData();
    }
    EXPECT_THROW(SplitUrl("ftp://example.org/"), THttpError);
    EXPECT_THROW(SplitUrl("https:///path"), THttpError);
}

struct TAnswerCase
{
    const char* Name;
    TScriptedAnswer Answer;
    QByteArray Stream; // what the caller's stream holds afterwards
    QString Error;     // empty for success
};

void PrintTo(const TAnswerCase& c, std::ostream* os)
{
    *os << c.Name;
}

// count header lines of length bytes each, line ends included
QByteArray ManyHeaderLines(int count, int length)
{
    QByteArray lines;
    for (int i = 0; i < count; ++i) {
        const QByteArray name = "X-" + QByteArray::number(i) + ": ";
        lines += name + QByteArray(length - int(name.size()) - 2, 'h') + "\r\n";
    }
    return lines;
}

class HttpAnswerTest : public ::testing::TestWithParam<TAnswerCase>
{
};

TEST_P(HttpAnswerTest, TurnsTheAnswerIntoBodyOrFailureText)
{
    const TAnswerCase& c = GetParam();
    for (const bool tls : {false, true}) {
        TTrustTestCa trust;
        TFakeEndpoint endpoint({.Tls = tls});
        endpoint.Enqueue(c.Answer);
        THttpClient http;
        PrepareRequestHeaders(http);
        const TExchange exchange = RunGet(http, endpoint.BaseUrl() + "/translate_a/single?q=x", "old");
        EXPECT_EQ(exchange.Error, c.Error) << (tls ? "https" : "http");
        EXPECT_EQ(exchange.Stream, "old" + c.Stream) << (tls ? "https" : "http");
        EXPECT_EQ(endpoint.Requests().size(),
                  c.Answer.Kind == TScriptedAnswer::TKind::CloseBeforeReading ? 0u : 1u);
    }
}

using TKind = TScriptedAnswer::TKind;

INSTANTIATE_TEST_SUITE_P(
    Answers, HttpAnswerTest,
    ::testing::Values(
        TAnswerCase{"Forbidden",
                    {TKind::Respond, "HTTP/1.1 403 Forbidden\r\nContent-Length: 4\r\n\r\ngone"},
                    "",
                    "HTTP/1.1 403 Forbidden"},
        TAnswerCase{
            "RedirectNotFollowed",
            {TKind::Respond, "HTTP/1.1 302 Found\r\nLocation: /elsewhere\r\nContent-Length: 0\r\n\r\n"},
            "",
            "HTTP/1.1 302 Found"},
        TAnswerCase{"OddStatusLineKeptAsSent",
                    {TKind::Respond, "HTTP/1.1 503  Busy now \r\nContent-Length: 0\r\n\r\n"},
                    "",
                    "HTTP/1.1 503  Busy now "},
        TAnswerCase{"ClosedWithoutAnswer", {TKind::CloseAfterReading}, "", "Connection Closed Gracefully."},
        TAnswerCase{"ClosedMidStatusLine",
                    {TKind::Respond, "HTTP/1.1 20", true},
                    "",
                    "Connection Closed Gracefully."},
        TAnswerCase{
            "ShortBodyKept",
            {TKind::Respond, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n" + QByteArray(60, 'x'), true},
            QByteArray(60, 'x'),
            ""},
        TAnswerCase{"Chunked",
                    {TKind::Respond, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                     "5;ext=1\r\nhello\r\n6\r\n world\r\n0\r\nX-Trailer: t\r\n\r\n"},
                    "hello world",
                    ""},
        TAnswerCase{"ChunkedCutShort",
                    {TKind::Respond,
                     "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n6\r\n wo", true},
                    "hello wo",
                    "Connection Closed Gracefully."},
        TAnswerCase{"ReadUntilClosed",
                    {TKind::Respond, "HTTP/1.1 200 OK\r\n\r\nuntil the end", true},
                    "until the end",
                    ""},
        TAnswerCase{"NoContent", {TKind::Respond, "HTTP/1.1 204 No Content\r\n\r\n"}, "", ""},
        TAnswerCase{
            "ContinueSkipped",
            {TKind::Respond, "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"},
            "ok",
            ""},
        TAnswerCase{"LongHeaderLine",
                    {TKind::Respond, "HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(16400, 'a') +
                                         "\r\nContent-Length: 2\r\n\r\nok"},
                    "",
                    "Max line length exceeded."},
        TAnswerCase{"HeaderLineAtTheLimit",
                    {TKind::Respond, "HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(16384 - 8, 'a') +
                                         "\r\nContent-Length: 2\r\n\r\nok"},
                    "ok",
                    ""},
        // libcurl hands over no status line it cannot read.
        TAnswerCase{"UnreadableStatusCode",
                    {TKind::Respond, "HTTP/1.1 abc OK\r\nContent-Length: 2\r\n\r\nok"},
                    "",
                    "Connection Closed Gracefully."},
        TAnswerCase{"StatusLineThatIsNoHttp", {TKind::Respond, "hello\r\nmore", true}, "", "hello"},
        TAnswerCase{"ZeroBytesBeforeTheStatusLine",
                    {TKind::Respond, QByteArray("\0\0HTTP/1.1 199 OK\r\n\r\n", 21), true},
                    "",
                    "??HTTP/1.1 199 OK"},
        // libcurl takes the protocol's name in any case.
        TAnswerCase{"MixedCaseStatusLineWithoutACode",
                    {TKind::Respond, "HtTP/1.1 ts\r\nRetry-After: \r\n\r\n\n", true},
                    "",
                    "HtTP/1.1 ts"},
        TAnswerCase{"MixedCaseStatusLine",
                    {TKind::Respond, "http/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n", true},
                    "",
                    "http/1.1 503 Service Unavailable"},
        TAnswerCase{"NoHttpCutShort", {TKind::Respond, "hello", true}, "", "Connection Closed Gracefully."},
        TAnswerCase{"BadContentLengthOnAFailure",
                    {TKind::Respond, "HTTP/1.1 403 Forbidden\r\nContent-Length: x\r\n\r\n", true},
                    "",
                    "HTTP/1.1 403 Forbidden"},
        TAnswerCase{"BadContentLengthOnSuccess",
                    {TKind::Respond, "HTTP/1.1 200 OK\r\nContent-Length: x\r\n\r\nbody", true},
                    "",
                    "Connection Closed Gracefully."},
        TAnswerCase{"ClosedInsideTheHead", {TKind::Respond, "HTTP/1.1 200 OK\r\nX-A: 1\r\n", true}, "", ""},
        TAnswerCase{"ClosedInsideAFailedHead",
                    {TKind::Respond, "HTTP/1.1 404 Not Found\r\nX-A: 1\r\n", true},
                    "",
                    "HTTP/1.1 404 Not Found"},
        TAnswerCase{"UnreadableChunkSizeEndsTheBody",
                    {TKind::Respond, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                     "5\r\nhello\r\nzz\r\nmore\r\n0\r\n\r\n"},
                    "hello",
                    ""},
        TAnswerCase{"ResetBeforeAnswer",
                    {TKind::ResetAfterReading},
                    "",
                    "Socket Error # 10054\r\nConnection reset by peer."},
        TAnswerCase{"HeadOverTheClientsCap",
                    {TKind::Respond,
                     "HTTP/1.1 200 OK\r\n" + ManyHeaderLines(400, 1000) + "Content-Length: 2\r\n\r\nok",
                     true},
                    "",
                    "Max line length exceeded."},
        TAnswerCase{
            "HugeHeaderLine",
            {TKind::Respond, "HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(200000, 'a') + "\r\n\r\n", true},
            "",
            "Max line length exceeded."}),
    [](const ::testing::TestParamInfo<TAnswerCase>& info) { return std::string(info.param.Name); });

TEST_F(HttpClientTest, PeerThatClosesBeforeReadingTheRequestClosedGracefully)
{
    TFakeEndpoint endpoint;
    endpoint.Enqueue({TKind::CloseBeforeReading});
    EXPECT_EQ(RunGet(FHttp, endpoint.BaseUrl() + "/").Error, "Connection Closed Gracefully.");
}

TEST_F(HttpClientTest, RefusedConnectionGivesItsSocketError)
{
    quint16 port = 0;
    {
        TFakeEndpoint endpoint; // a port that was just free and is closed again
        port = endpoint.Port();
    }
    EXPECT_EQ(RunGet(FHttp, "http://localhost:" + QByteArray::number(port) + "/").Error,
              "Socket Error # 10061\r\nConnection refused.");
}

TEST_F(HttpClientTest, SilentServerTimesOutWithTheSocketTimeoutText)
{
    TFakeEndpoint endpoint;
    endpoint.Enqueue({TKind::Silent});
    FHttp.SetTimeouts(std::chrono::seconds(30), std::chrono::seconds(1));
    EXPECT_EQ(RunGet(FHttp, endpoint.BaseUrl() + "/").Error, "Socket Error # 10060\r\nConnection timed out.");
}

// An answer that trickles in takes as long as it takes: only a pause as long as the idle limit
// gives up. A trickle of one byte in more than a second is also under any rate of bytes per
// second.
TEST_F(HttpClientTest, IdleLimitRestartsWithEveryByteOfTheBody)
{
    TFakeEndpoint endpoint;
    TScriptedAnswer answer{TKind::Respond, "HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\n", true};
    answer.Trickle = "[[[1]]]";
    answer.TricklePause = std::chrono::milliseconds(1200);
    endpoint.Enqueue(answer);
    FHttp.SetTimeouts(std::chrono::seconds(30), std::chrono::seconds(3));
    const TExchange exchange = RunGet(FHttp, endpoint.BaseUrl() + "/");
    EXPECT_EQ(exchange.Error, "");
    EXPECT_EQ(exchange.Stream, "[[[1]]]");
}

TEST_F(HttpClientTest, IdleLimitRestartsWithEveryByteOfTheHeadBeforeItsLineIsWhole)
{
    TTrustTestCa trust;
    TFakeEndpoint endpoint({.Tls = true});
    TScriptedAnswer answer{TKind::Respond, {}, true};
    answer.Trickle = "HTTP/1.1 200 OK\r\n\r\nok";
    answer.TricklePause = std::chrono::milliseconds(150);
    endpoint.Enqueue(answer);
    FHttp.SetTimeouts(std::chrono::seconds(30), std::chrono::milliseconds(1000));
    const TExchange exchange = RunGet(FHttp, endpoint.BaseUrl() + "/");
    EXPECT_EQ(exchange.Error, "");
    EXPECT_EQ(exchange.Stream, "ok");
}

TEST_F(HttpClientTest, ConnectThatNobodyAnswersTimesOut)
{
    // A listening socket whose backlog is full drops further handshakes: connect() just waits.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        const int filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(filler);
    }
    FHttp.SetTimeouts(std::chrono::seconds(1), std::chrono::seconds(30));
    EXPECT_EQ(RunGet(FHttp, "http://127.0.0.1:" + QByteArray::number(ntohs(address.sin_port)) + "/").Error,
              "Socket Error # 10060\r\nConnection timed out.");
    for (const int fd : fillers) {
        close(fd);
    }
    close(listener);
}

TEST(CurlFailureText, MapsLibcurlResultsToTheSocketTexts)
{
    struct TCase
    {
        int Code;
        long Errno;
        bool SawStatus;
        QString Text;
    };
    const TCase cases[] = {
        {CURLE_COULDNT_RESOLVE_HOST, 0, false, "Socket Error # 11001\r\nHost not found."},
        {CURLE_COULDNT_RESOLVE_PROXY, 0, false, "Socket Error # 11001\r\nHost not found."},
        {CURLE_COULDNT_CONNECT, ECONNREFUSED, false, "Socket Error # 10061\r\nConnection refused."},
        {CURLE_COULDNT_CONNECT, ENETUNREACH, false, "Socket Error # 10051\r\nNetwork is unreachable."},
        {CURLE_COULDNT_CONNECT, EHOSTUNREACH, false, "Socket Error # 10065\r\nNo route to host."},
        {CURLE_OPERATION_TIMEDOUT, 0, true, "Socket Error # 10060\r\nConnection timed out."},
        {CURLE_GOT_NOTHING, 0, false, "Connection Closed Gracefully."},
        {CURLE_RECV_ERROR, ECONNRESET, false, "Socket Error # 10054\r\nConnection reset by peer."},
        {CURLE_RECV_ERROR, 0, false, "Connection Closed Gracefully."},
        {CURLE_FILESIZE_EXCEEDED, 0, true, "Connection Closed Gracefully."},
        {CURLE_RECV_ERROR, ECONNRESET, true, "Socket Error # 10054\r\nConnection reset by peer."},
        {CURLE_SEND_ERROR, EPIPE, false, "Socket Error # 10054\r\nConnection reset by peer."},
        {CURLE_RECV_ERROR, 4242, true, "Socket Error # 4242\r\n"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(CurlFailureText(c.Code, c.Errno, c.SawStatus, false, ""), c.Text)
            << c.Code << " " << c.Errno;
    }
    EXPECT_TRUE(CurlFailureText(CURLE_PEER_FAILED_VERIFICATION, 0, false, false, "bad cert")
                    .startsWith("Error connecting with SSL.\r\nbad cert"));
}

TEST_F(HttpClientTest, CookiesComeBackLastInOneHeaderForThisRunOnly)
{
    TFakeEndpoint endpoint;
    endpoint.Respond(Ok("", "Set-Cookie: NID=abc; Path=/; HttpOnly\r\nSet-Cookie: b=2\r\n"
                            "Set-Cookie: secure=s; Secure\r\nSet-Cookie: gone=1; Max-Age=0\r\n"));
    endpoint.Respond(Ok(""));
    endpoint.Respond(Ok(""));
    QByteArray stream;
    FHttp.Get(endpoint.BaseUrl() + "/first", stream);
    FHttp.Get(endpoint.BaseUrl() + "/second", stream);
    THttpClient restarted;
    PrepareRequestHeaders(restarted);
    restarted.Get(endpoint.BaseUrl() + "/third", stream);

    const auto requests = endpoint.Requests();
    EXPECT_TRUE(requests.at(1).Head.endsWith("\r\nUser-Agent: " + QByteArray(UserAgent) +
                                             "\r\nCookie: NID=abc; b=2\r\n\r\n"))
        << requests.at(1).Head.constData();
    EXPECT_FALSE(requests.at(2).Head.contains("Cookie:"));
}

TEST(CookieStore, FollowsDomainPathSecureAndExpiry)
{
    TCookieStore store;
    const std::time_t now = 1'800'000'000;
    store.Store("a=1; Domain=.example.org; Path=/translate", "www.example.org", "/translate/x", now);
    store.Store("b=2", "www.example.org", "/translate/x?q=1", now);
    store.Store("c=3; Max-Age=60", "www.example.org", "/", now);
    store.Store("evil=1; Domain=other.org", "www.example.org", "/", now);
    store.Store("old=1; Expires=Wed, 21 Oct 2015 07:28:00 GMT", "www.example.org", "/", now);
    EXPECT_EQ(store.HeaderFor("api.example.org", "/translate/single", false, now), "a=1");
    EXPECT_EQ(store.HeaderFor("www.example.org", "/translate/single?q=1", false, now), "a=1; b=2; c=3");
    EXPECT_EQ(store.HeaderFor("www.example.org", "/other", false, now), "c=3");
    EXPECT_EQ(store.HeaderFor("www.example.org", "/other", false, now + 61), "");
    store.Store("c=4", "www.example.org", "/", now);
    EXPECT_EQ(store.HeaderFor("www.example.org", "/", true, now), "c=4");
}

TEST(CookieStore, MaxAgeBeyondTheEndOfTimeKeepsTheCookie)
{
    const std::time_t now = 1'800'000'000;
    TCookieStore store;
    store.Store("a=1; Max-Age=9223372036854775807", "example.org", "/", now);
    store.Store("b=2; Max-Age=9223372036854775000", "example.org", "/", now);
    EXPECT_EQ(store.HeaderFor("example.org", "/", false, now + 3'000'000'000), "a=1; b=2");
}

TEST(CookieStore, RefusesCookiesWithControlCharactersThatWouldGoBackInTheHead)
{
    const std::time_t now = 1'800'000'000;
    const QByteArray refused[] = {
        "a=b\rX-Injected: 1", QByteArray("a=b\0c", 5), "\x1b=v", "a=v\x7f", "a=v; Path=/\x01",
    };
    for (const QByteArray& value : refused) {
        TCookieStore store;
        store.Store(value, "example.org", "/", now);
        EXPECT_TRUE(store.IsEmpty()) << value.toPercentEncoding().constData();
    }
    TCookieStore store;
    store.Store("a=b\tc", "example.org", "/", now);
    EXPECT_EQ(store.HeaderFor("example.org", "/", false, now), "a=b\tc");
}

TEST_F(HttpClientTest, KeepsTheConnectionOpenBetweenRequestsUnlessTheAnswerClosesIt)
{
    TTrustTestCa trust;
    TFakeEndpoint endpoint({.Tls = true});
    endpoint.Respond(Ok("1"));
    endpoint.Respond(Ok("2", "Connection: close\r\n"));
    endpoint.Respond(Ok("3"));
    QByteArray stream;
    for (int i = 0; i < 3; ++i) {
        FHttp.Get(endpoint.BaseUrl() + "/", stream);
    }
    EXPECT_EQ(stream, "123");
    EXPECT_EQ(endpoint.ConnectionCount(), 2);
}

TEST_F(HttpClientTest, CertificatesAreVerified)
{
    TFakeEndpoint endpoint({.Tls = true});
    const QString untrusted = RunGet(FHttp, endpoint.BaseUrl() + "/").Error;
    EXPECT_TRUE(untrusted.startsWith("Error connecting with SSL.")) << untrusted.toStdString();

    TTrustTestCa trust;
    const QString wrongName =
        RunGet(FHttp, "https://127.0.0.1:" + QByteArray::number(endpoint.Port()) + "/").Error;
    EXPECT_TRUE(wrongName.startsWith("Error connecting with SSL.")) << wrongName.toStdString();
    EXPECT_TRUE(endpoint.Requests().empty());

    EXPECT_EQ(RunGet(FHttp, endpoint.BaseUrl() + "/translate_a/single?client=at&sl=en&tl=ar&dt=t&q=x").Error,
              "");
}

class HttpProxyTest : public HttpClientTest
{
protected:
    QByteArray ConnectHead(const TFakeEndpoint& endpoint) const
    {
        const QByteArray hostPort = "localhost:" + QByteArray::number(endpoint.Port());
        return "CONNECT " + hostPort +
               " HTTP/1.1\r\n"
               "Pragma: no-cache\r\n"
               "Proxy-Connection: keep-alive\r\n"
               "Host: " +
               hostPort +
               "\r\n"
               "Accept: text/html, */*\r\n"
               "User-Agent: " +
               UserAgent + "\r\n";
    }
    void UseProxy(const TFakeEndpoint& proxy, const QByteArray& user = {}, const QByteArray& password = {})
    {
        FHttp.SetProxyServer("127.0.0.1");
        FHttp.SetProxyPort(proxy.Port());
        FHttp.SetProxyUserName(user);
        FHttp.SetProxyPassword(password);
    }
};

TEST_F(HttpProxyTest, HttpsGoesThroughAConnectTunnelWithItsOwnHeaders)
{
    TTrustTestCa trust;
    TFakeEndpoint endpoint({.Tls = true, .Proxy = true});
    UseProxy(endpoint);
    QByteArray stream;
    FHttp.Get(endpoint.BaseUrl() + "/translate_a/single?client=at&sl=en&tl=ar&dt=t&q=Hello+world", stream);
    FHttp.Get(endpoint.BaseUrl() + "/translate_a/single?client=at&sl=en&tl=ar&dt=t&q=Hello+world", stream);

    const auto requests = endpoint.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].Raw, ConnectHead(endpoint) + "\r\n");
    EXPECT_TRUE(requests[1].Tunnelled);
    EXPECT_TRUE(requests[1].Raw.startsWith(
        "GET /translate_a/single?client=at&sl=en&tl=ar&dt=t&q=Hello+world HTTP/1.1\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\n"));
    EXPECT_EQ(requests[2].Method, "GET"); // the tunnel is reused
    EXPECT_TRUE(QString::fromUtf8(stream).contains(QStringLiteral("مرحبا بالعالم")));
}

TEST_F(HttpProxyTest, CredentialsAreSentOnlyWhenTheProxyAsksForThem)
{
    TTrustTestCa trust;
    TFakeEndpoint endpoint({.Tls = true, .Proxy = true, .ProxyCredentials = "user:secret"});
    UseProxy(endpoint, "user", "secret");
    QByteArray stream;
    FHttp.Get(endpoint.BaseUrl() + "/translate_a/single?client=at&sl=en&tl=ar&dt=t&q=x", stream);
    const auto requests = endpoint.Requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[0].Raw, ConnectHead(endpoint) + "\r\n");
    EXPECT_EQ(requests[1].Method, "CONNECT");
    EXPECT_TRUE(requests[1].Head.contains("\r\nProxy-Authorization: Basic dXNlcjpzZWNyZXQ=\r\n"));
    EXPECT_TRUE(requests[2].Tunnelled);

    THttpClient fresh;
    PrepareRequestHeaders(fresh);
    fresh.SetProxyServer("127.0.0.1");
    fresh.SetProxyPort(endpoint.Port());
    const TExchange refused = RunGet(fresh, endpoint.BaseUrl() + "/translate_a/single?client=at&q=x");
    EXPECT_EQ(refused.Error, "HTTP/1.1 407 Proxy Authentication Required");
}

TEST_F(HttpProxyTest, CredentialsReachTheProxyByteForByteAsTyped)
{
    const QByteArray user = QStringLiteral("p@ss%41 مستخدم").toUtf8();
    const QByteArray password = QStringLiteral("w:%00 ك%zz@").toUtf8();
    for (const bool tls : {false, true}) {
        TTrustTestCa trust;
        TFakeEndpoint endpoint({.Tls = tls, .Proxy = true, .ProxyCredentials = user + ':' + password});
        UseProxy(endpoint, user, password);
        const TExchange exchange =
            RunGet(FHttp, endpoint.BaseUrl() + "/translate_a/single?client=at&sl=en&tl=ar&dt=t&q=x");
        EXPECT_EQ(exchange.Error, "") << (tls ? "tunnel" : "plain");
        EXPECT_TRUE(QString::fromUtf8(exchange.Stream).contains(QStringLiteral("ar: x")))
            << exchange.Stream.constData();
    }
}

TEST_F(HttpProxyTest, PlainHttpThroughAProxyNamesTheWholeUrl)
{
    TFakeEndpoint endpoint({.Proxy = true, .ProxyCredentials = "u:p"});
    UseProxy(endpoint, "u", "p");
    QByteArray stream;
    const QByteArray url = endpoint.BaseUrl() + "/translate_a/single?client=at&sl=en&tl=ar&dt=t&q=x";
    FHttp.Get(url, stream);
    const auto requests = endpoint.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().Target, url);
    EXPECT_TRUE(requests.back().Head.contains("Proxy-Authorization: Basic dTpw\r\n"));
    EXPECT_FALSE(requests.back().Head.contains("Proxy-Connection"));
}

TEST_F(HttpClientTest, ClearedProxyConnectsDirectlyDespiteTheEnvironment)
{
    TFakeEndpoint endpoint;
    endpoint.Respond(Ok("direct"));
    qputenv("http_proxy", "http://127.0.0.1:9");
    qputenv("HTTP_PROXY", "http://127.0.0.1:9");
    FHttp.SetProxyServer("127.0.0.1");
    FHttp.ClearProxy();
    const TExchange exchange = RunGet(FHttp, endpoint.BaseUrl() + "/");
    qunsetenv("http_proxy");
    qunsetenv("HTTP_PROXY");
    EXPECT_EQ(exchange.Error, "");
    EXPECT_EQ(exchange.Stream, "direct");
}

TEST_F(HttpClientTest, CancelStopsARequestInFlightAndEveryLaterOne)
{
    TTrustTestCa trust;
    TFakeEndpoint endpoint({.Tls = true});
    endpoint.Enqueue({TKind::Silent});
    std::thread canceller([&] {
        WaitForRequests(endpoint, 1);
        FHttp.Cancel();
    });
    QByteArray stream;
    EXPECT_THROW(FHttp.Get(endpoint.BaseUrl() + "/", stream), THttpCancelled);
    canceller.join();
    EXPECT_THROW(FHttp.Get(endpoint.BaseUrl() + "/", stream), THttpCancelled);
    EXPECT_EQ(endpoint.Requests().size(), 1u);
}

} // namespace
