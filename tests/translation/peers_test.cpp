// The HTTP client and the decoding against real peers on loopback: nginx serving HTTPS with the
// test certificate authority, and tinyproxy carrying the CONNECT tunnel, with and without
// credentials.

#include "AnswerText.h"
#include "DecodeTranslation.h"
#include "HttpClient.h"
#include "HttpFailure.h"
#include "HttpTestSupport.h"
#include "NginxServer.h"
#include "RequestHeaders.h"
#include "TinyProxy.h"
#include "TranslationRequest.h"

#include <gtest/gtest.h>

using namespace zorvanel::test;

namespace {

class PeersTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { FNginx = std::make_unique<TNginxServer>(); }
    static void TearDownTestSuite() { FNginx.reset(); }

    // Translates "Hello" through http and returns the translation or the failure text.
    QString Translate(THttpClient& http)
    {
        ServiceBaseUrl = QString::fromLatin1(FNginx->BaseUrl());
        PrepareRequestHeaders(http);
        const TTranslationRequest request =
            ComposeTranslationRequest(FNginx->BaseUrl(), QStringLiteral("Hello"), QStringLiteral("en"),
                                      QStringLiteral("ar"), QStringLiteral("at"));
        QByteArray answer;
        try {
            http.Get(request.Url, answer);
        } catch (const THttpError& error) {
            return error.Message();
        }
        QString translation;
        QString errorText;
        DecodeTranslation(AnswerFromBytes(answer), translation, errorText);
        return errorText.isEmpty() ? translation : errorText;
    }

    static inline std::unique_ptr<TNginxServer> FNginx;
    TTrustTestCa FTrust;
    THttpClient FHttp;
};

TEST_F(PeersTest, TranslatesFromNginxDirectlyAndOverOneConnection)
{
    EXPECT_EQ(Translate(FHttp), QStringLiteral("مرحبا"));
    EXPECT_EQ(Translate(FHttp), QStringLiteral("مرحبا"));
}

TEST_F(PeersTest, TranslatesThroughTinyproxy)
{
    TTinyProxy proxy;
    FHttp.SetProxyServer("127.0.0.1");
    FHttp.SetProxyPort(proxy.Port());
    EXPECT_EQ(Translate(FHttp), QStringLiteral("مرحبا"));
}

TEST_F(PeersTest, TinyproxyWithCredentialsNeedsThem)
{
    TTinyProxy proxy("zorvanel:s3cret");
    FHttp.SetProxyServer("127.0.0.1");
    FHttp.SetProxyPort(proxy.Port());
    EXPECT_EQ(Translate(FHttp), "HTTP/1.0 407 Proxy Authentication Required");

    THttpClient withCredentials;
    withCredentials.SetProxyServer("127.0.0.1");
    withCredentials.SetProxyPort(proxy.Port());
    withCredentials.SetProxyUserName("zorvanel");
    withCredentials.SetProxyPassword("s3cret");
    EXPECT_EQ(Translate(withCredentials), QStringLiteral("مرحبا"));
}

} // namespace
