// 500 sequential translations over HTTPS with keep-alive against the loopback fake endpoint:
// the client's whole path (request composition, the exact head, the answer, decoding) against
// a bare libcurl loop fetching the same URL on a reused connection, in the same run.

#include "DecodeTranslation.h"
#include "FakeEndpoint.h"
#include "HttpClient.h"
#include "RequestHeaders.h"
#include "TranslationRequest.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

using namespace zorvanel::test;

namespace {

constexpr int Translations = 500;

TFakeEndpoint& Endpoint()
{
    static TFakeEndpoint endpoint({.Tls = true, .RefusedClients = {}});
    return endpoint;
}

const QString Text = QStringLiteral("Hello world");

void BM_ClientTranslation(benchmark::State& state)
{
    qputenv("ZORVANEL_CA_FILE", TestCaFile().toLocal8Bit());
    ServiceBaseUrl = QString::fromLatin1(Endpoint().BaseUrl());
    THttpClient http;
    for (auto _ : state) {
        PrepareRequestHeaders(http);
        const TTranslationRequest request =
            ComposeTranslationRequest(ServiceBaseUrl.toLatin1(), Text, QStringLiteral("en"),
                                      QStringLiteral("ar"), QStringLiteral("at"));
        QByteArray answer;
        http.Get(request.Url, answer);
        QString translation;
        QString error;
        DecodeTranslation(QString::fromUtf8(answer), translation, error);
        benchmark::DoNotOptimize(translation);
    }
}

size_t Collect(char* data, size_t size, size_t count, void* user)
{
    static_cast<QByteArray*>(user)->append(data, qsizetype(size * count));
    return size * count;
}

void BM_BareLibcurlBaseline(benchmark::State& state)
{
    const QByteArray url = ComposeTranslationRequest(Endpoint().BaseUrl(), Text, QStringLiteral("en"),
                                                     QStringLiteral("ar"), QStringLiteral("at"))
                               .Url;
    const QByteArray caFile = TestCaFile().toLocal8Bit();
    CURL* curl = curl_easy_init();
    QByteArray answer;
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer);
    for (auto _ : state) {
        answer.clear();
        curl_easy_perform(curl);
        benchmark::DoNotOptimize(answer);
    }
    curl_easy_cleanup(curl);
}

} // namespace

BENCHMARK(BM_BareLibcurlBaseline)->Iterations(Translations)->Repetitions(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClientTranslation)->Iterations(Translations)->Repetitions(5)->Unit(benchmark::kMicrosecond);
