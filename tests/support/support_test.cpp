// Checks of the test support itself, with a bare client (TestClient), so that a fault in the fake
// endpoint or a fixture shows here rather than as a puzzling failure of the client's own tests.

#include "FakeEndpoint.h"
#include "NginxServer.h"
#include "TestClient.h"
#include "TinyProxy.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

using namespace zorvanel::test;

namespace {

QByteArray Get(const QByteArray& target, quint16 port, const QByteArray& extra = {})
{
    return "GET " + target + " HTTP/1.1\r\nHost: localhost:" + QByteArray::number(port) + "\r\n" + extra +
           "\r\n";
}

QByteArray PostHead(const QByteArray& target, quint16 port, const QByteArray& body)
{
    return "POST " + target + " HTTP/1.1\r\nHost: localhost:" + QByteArray::number(port) +
           "\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n";
}

QByteArray Connect(quint16 port, const QByteArray& extra = {})
{
    const QByteArray authority = "localhost:" + QByteArray::number(port);
    return "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n" + extra + "\r\n";
}

QByteArray BasicAuth(const QByteArray& credentials)
{
    return "Proxy-Authorization: Basic " + credentials.toBase64() + "\r\n";
}

const QByteArray HelloAr = "/translate_a/single?client=t&sl=en&tl=ar&dt=t&q=Hello%20world";

} // namespace

TEST(FakeEndpoint, RecordsRequestsByteForByteOnOneKeptAliveConnection)
{
    TFakeEndpoint endpoint;
    TTestClient client(endpoint.Port());
    const QByteArray get = Get(HelloAr, endpoint.Port(), "User-Agent: a b\r\n");
    const QByteArray body = "client=t&sl=en&tl=ar&q=%D8%A7+x\r\n";
    const QByteArray post = PostHead("/translate_a/single", endpoint.Port(), body);

    client.Send(get);
    EXPECT_EQ(StatusCode(client.ReadAnswer()), 200);
    client.Send(post); // head and body apart: the endpoint must wait for the whole body
    client.StaysQuiet(50);
    client.Send(body);
    EXPECT_EQ(StatusCode(client.ReadAnswer()), 200);

    const std::vector<TRecordedRequest> requests = endpoint.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Raw, get);
    EXPECT_EQ(requests[0].Head, get);
    EXPECT_EQ(requests[0].Method, "GET");
    EXPECT_EQ(requests[0].Target, HelloAr);
    EXPECT_TRUE(requests[0].Body.isEmpty());
    EXPECT_EQ(requests[1].Raw, post + body);
    EXPECT_EQ(requests[1].Head, post);
    EXPECT_EQ(requests[1].Body, body);
    EXPECT_EQ(requests[1].Method, "POST");
    EXPECT_EQ(requests[1].Connection, 1);
    EXPECT_FALSE(requests[1].Tunnelled);
    EXPECT_EQ(endpoint.ConnectionCount(), 1);
}

TEST(FakeEndpoint, DefaultAnswers)
{
    struct TCase
    {
        QByteArray Request; // target of a GET, or "POST " and a form body for the translate path
        int Status;
        QByteArray ContentType;
        QByteArray Body; // checked when not empty
    };
    const TCase cases[] = {
        {HelloAr, 200, "application/json; charset=UTF-8",
         R"([[["مرحبا بالعالم","Hello world",null,null,10]],null,"en"])"},
        {"POST client=dict&sl=auto&tl=ar&q=Say+%22hi%22%0ASome+text", 200, "application/json; charset=UTF-8",
         R"([[["ar: Say \"hi\"\n","Say \"hi\"\n",null,null,10],["ar: Some text","Some text",null,null,10]],null,"en"])"},
        {"/translate_a/"
         "single?client=t&sl=ar&tl=en&q=%D8%B5%D8%A8%D8%A7%D8%AD%20%D8%A7%D9%84%D8%AE%D9%8A%D8%B1",
         200, "application/json; charset=UTF-8",
         R"([[["Good morning","صباح الخير",null,null,10]],null,"ar"])"},
        {"/translate_a/single?client=gtx&sl=en&tl=ar&q=Hello", 429, "text/html; charset=UTF-8", {}},
        {"/elsewhere", 404, "text/html", {}},
        // The endpoint's limit is in characters: 5,000 emoji pass, one letter more does not.
        {"POST client=t&sl=en&tl=ar&q=" + QString(5000, u'a').toUtf8(),
         200,
         "application/json; charset=UTF-8",
         {}},
        {"POST client=t&sl=en&tl=ar&q=" + QString(5001, u'a').toUtf8(), 413, "text/html; charset=UTF-8", {}},
        {"POST client=t&sl=en&tl=ar&q=" + QStringLiteral("😀").repeated(5000).toUtf8().toPercentEncoding(),
         200,
         "application/json; charset=UTF-8",
         {}},
    };

    TFakeEndpoint endpoint;
    TTestClient client(endpoint.Port());
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Request.toStdString());
        if (c.Request.startsWith("POST ")) {
            const QByteArray body = c.Request.mid(5);
            client.Send(PostHead("/translate_a/single", endpoint.Port(), body) + body);
        } else {
            client.Send(Get(c.Request, endpoint.Port()));
        }
        const QByteArray answer = client.ReadAnswer();
        EXPECT_EQ(StatusCode(answer), c.Status);
        EXPECT_TRUE(answer.contains("\r\nContent-Type: " + c.ContentType + "\r\n")) << answer.toStdString();
        EXPECT_TRUE(
            answer.contains("\r\nContent-Length: " + QByteArray::number(AnswerBody(answer).size()) + "\r\n"));
        if (!c.Body.isEmpty()) {
            EXPECT_EQ(AnswerBody(answer), c.Body);
        }
    }
    EXPECT_EQ(endpoint.ClientIds(), (QList<QByteArray>{"t", "dict", "t", "gtx", "t", "t", "t"}));
}

TEST(FakeEndpoint, RefusesByRedirectToTheSorryPage)
{
    TFakeEndpoint endpoint({.RefuseByRedirect = true});
    TTestClient client(endpoint.Port());
    const QByteArray target = "/translate_a/single?client=gtx&sl=en&tl=ar&q=Hello";
    client.Send(Get(target, endpoint.Port()));
    const QByteArray answer = client.ReadAnswer();
    EXPECT_EQ(StatusCode(answer), 302);
    EXPECT_TRUE(answer.contains("\r\nLocation: /sorry/index?continue=" + target.toPercentEncoding() + "\r\n"))
        << answer.toStdString();
}

TEST(FakeEndpoint, ScriptedRespondClosesWhenAsked)
{
    TFakeEndpoint endpoint;
    const QByteArray forbidden = "HTTP/1.1 403 Forbidden\r\nContent-Length: 5\r\n\r\nnope!";
    endpoint.Respond(forbidden, true);

    // A second request sent at once gets nothing: the connection ends after the scripted answer.
    TTestClient first(endpoint.Port());
    first.Send(Get(HelloAr, endpoint.Port()) + Get(HelloAr, endpoint.Port()));
    EXPECT_EQ(first.ReadToEnd(), forbidden);

    TTestClient second(endpoint.Port()); // the script is used up: back to the default answer
    second.Send(Get(HelloAr, endpoint.Port()));
    EXPECT_EQ(StatusCode(second.ReadAnswer()), 200);
}

TEST(FakeEndpoint, ScriptedClosesEndWithoutAByte)
{
    TFakeEndpoint endpoint;
    endpoint.Enqueue({TScriptedAnswer::TKind::CloseBeforeReading, {}, false});
    endpoint.Enqueue({TScriptedAnswer::TKind::CloseAfterReading, {}, false});

    TTestClient before(endpoint.Port());
    before.Send(Get(HelloAr, endpoint.Port()));
    EXPECT_EQ(before.ReadToEnd(), QByteArray());
    EXPECT_TRUE(endpoint.Requests().empty());

    TTestClient after(endpoint.Port());
    after.Send(Get(HelloAr, endpoint.Port()));
    EXPECT_EQ(after.ReadToEnd(), QByteArray());
    ASSERT_EQ(endpoint.Requests().size(), 1u);
    EXPECT_EQ(endpoint.Requests()[0].Connection, 2);
}

TEST(FakeEndpoint, SilentHoldsUntilTheEndpointStops)
{
    std::optional<TFakeEndpoint> endpoint(std::in_place);
    endpoint->Enqueue({TScriptedAnswer::TKind::Silent, {}, false});
    TTestClient client(endpoint->Port());
    client.Send(Get(HelloAr, endpoint->Port()));
    EXPECT_TRUE(client.StaysQuiet(300));

    const auto start = std::chrono::steady_clock::now();
    endpoint.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(client.ReadToEnd(), QByteArray());
}

TEST(FakeEndpoint, TlsCertificateHoldsForLocalhostOnly)
{
    TFakeEndpointOptions options;
    options.Tls = true;
    TFakeEndpoint endpoint(options);
    EXPECT_EQ(endpoint.BaseUrl(), "https://localhost:" + QByteArray::number(endpoint.Port()));

    TTestClient byName(endpoint.Port());
    ASSERT_EQ(byName.StartTls("localhost"), "");
    byName.Send(Get(HelloAr, endpoint.Port()));
    EXPECT_EQ(StatusCode(byName.ReadAnswer()), 200);

    TTestClient byAddress(endpoint.Port());
    EXPECT_NE(byAddress.StartTls("127.0.0.1"), "");
}

TEST(FakeEndpoint, ProxyAsksForCredentialsThenTunnelsTls)
{
    TFakeEndpointOptions options;
    options.Tls = true;
    options.Proxy = true;
    options.ProxyCredentials = "user:secret";
    TFakeEndpoint endpoint(options);
    TTestClient client(endpoint.Port());

    for (const QByteArray& extra : {QByteArray(), BasicAuth("user:wrong")}) {
        client.Send(Connect(endpoint.Port(), extra));
        EXPECT_EQ(client.ReadAnswer(),
                  "HTTP/1.1 407 Proxy Authentication Required\r\n"
                  "Proxy-Authenticate: Basic realm=\"test\"\r\nContent-Length: 0\r\n\r\n");
    }
    client.Send(Connect(endpoint.Port(), BasicAuth("user:secret")));
    EXPECT_EQ(client.ReadAnswer(), "HTTP/1.1 200 Connection established\r\n\r\n");
    ASSERT_EQ(client.StartTls("localhost"), "");
    client.Send(Get(HelloAr, endpoint.Port()));
    EXPECT_EQ(StatusCode(client.ReadAnswer()), 200);

    const std::vector<TRecordedRequest> requests = endpoint.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[2].Method, "CONNECT");
    EXPECT_FALSE(requests[2].Tunnelled);
    EXPECT_EQ(requests[3].Target, HelloAr);
    EXPECT_TRUE(requests[3].Tunnelled);
    EXPECT_EQ(requests[3].Connection, 1);
}

TEST(NginxServer, AnswersItsJsonOverHttpsAndKeepsAlive)
{
    // Quote, backslash and dollar are special in nginx's configuration and must come out as given.
    const QByteArray json = R"([[["it's $5 \ "ok"","x",null,null,10]],null,"en"])";
    TNginxServer nginx(json);
    TTestClient client(nginx.Port());
    ASSERT_EQ(client.StartTls("localhost"), "");
    for (int i = 0; i < 2; ++i) {
        client.Send(i == 0 ? Get(HelloAr, nginx.Port())
                           : PostHead("/translate_a/single", nginx.Port(), "q=Hello") + "q=Hello");
        const QByteArray answer = client.ReadAnswer();
        EXPECT_EQ(StatusCode(answer), 200) << answer.toStdString();
        EXPECT_TRUE(answer.contains("Content-Type: application/json"));
        EXPECT_EQ(AnswerBody(answer), json);
    }
}

TEST(TinyProxy, TunnelsToTheFakeEndpointOnlyWithCredentials)
{
    TFakeEndpointOptions options;
    options.Tls = true;
    TFakeEndpoint endpoint(options);
    TTinyProxy proxy("user:secret");

    TTestClient refused(proxy.Port());
    refused.Send(Connect(endpoint.Port()));
    EXPECT_EQ(StatusCode(refused.ReadAnswer()), 407);

    TTestClient client(proxy.Port());
    client.Send(Connect(endpoint.Port(), BasicAuth("user:secret")));
    EXPECT_EQ(StatusCode(client.ReadAnswer()), 200);
    ASSERT_EQ(client.StartTls("localhost"), "");
    client.Send(Get(HelloAr, endpoint.Port()));
    EXPECT_EQ(StatusCode(client.ReadAnswer()), 200);
    ASSERT_EQ(endpoint.Requests().size(), 1u);
    EXPECT_EQ(endpoint.Requests()[0].Target, HelloAr);
}
