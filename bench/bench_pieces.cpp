// A text of 100,000 characters in 20 pieces through the worker, over HTTPS with keep-alive to
// the loopback fake endpoint (cutting, 20 requests composed and sent one after another, every
// answer decoded, the join), against a bare libcurl loop posting the same 20 pieces on a reused
// connection, in the same run. Between the two, the HTTP client alone with the same requests.

#include "FakeEndpoint.h"
#include "HttpClient.h"
#include "MyThread.h"
#include "QtBenchmarkMain.h"
#include "RequestHeaders.h"
#include "TextPieces.h"
#include "TranslationRequest.h"
#include "TranslationResult.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <algorithm>
#include <vector>

using namespace zorvanel::test;

namespace {

constexpr int Texts = 20;

TFakeEndpoint& Endpoint()
{
    static TFakeEndpoint endpoint({.Tls = true, .RefusedClients = {}});
    return endpoint;
}

// 19 paragraphs of 4,998 characters and their line ends, then one of 5,000: 100,000 characters,
// a piece per paragraph.
const QString& LongText()
{
    static const QString text = [] {
        const QString words =
            QStringLiteral("Words of a long letter, sentence after sentence. ").repeated(110);
        QString all;
        for (int i = 0; i < 19; ++i) {
            all += words.left(4997) + u'.' + QStringLiteral("\r\n");
        }
        return all + words.left(4999) + u'.';
    }();
    return text;
}

void BM_WorkerLongText(benchmark::State& state)
{
    qputenv("ZORVANEL_CA_FILE", TestCaFile().toLocal8Bit());
    ServiceBaseUrl = QString::fromLatin1(Endpoint().BaseUrl());
    if (LongText().size() != 100000 || CutIntoPieces(LongText()).Pieces.size() != 20) {
        state.SkipWithError("the text is not 100,000 characters in 20 pieces");
        return;
    }
    THttpClient http;
    QObject receiver;
    const auto translate = [&] {
        PrepareRequestHeaders(http);
        TTranslationResult result;
        QEventLoop loop;
        QPointer<TMyThread> worker =
            new TMyThread(&receiver, &http, LongText(), QStringLiteral("en"), QStringLiteral("ar"), &result,
                          [](const QString&) {}, {"at"});
        QObject::connect(worker, &QObject::destroyed, &loop, &QEventLoop::quit);
        if (worker) {
            loop.exec();
        }
        QCoreApplication::removePostedEvents(&receiver);
        return result;
    };
    translate(); // opens the connection, as the baseline's first request does
    for (auto _ : state) {
        const TTranslationResult result = translate();
        if (!result.ErrorText.isEmpty() || result.Translation.size() < LongText().size()) {
            state.SkipWithError("the translation failed");
            return;
        }
        benchmark::DoNotOptimize(result);
    }
}

// The same 20 requests through the HTTP client alone, on the caller's thread: the part of the
// worker's time that is the exchange itself.
void BM_ClientPieces(benchmark::State& state)
{
    qputenv("ZORVANEL_CA_FILE", TestCaFile().toLocal8Bit());
    THttpClient http;
    PrepareRequestHeaders(http);
    QList<TTranslationRequest> requests;
    for (const QString& piece : CutIntoPieces(LongText()).Pieces) {
        requests.append(ComposeTranslationRequest(Endpoint().BaseUrl(), piece, QStringLiteral("en"),
                                                  QStringLiteral("ar"), QStringLiteral("at")));
    }
    QByteArray answer;
    SendTranslationRequest(http, requests.front(), answer); // opens the connection
    for (auto _ : state) {
        for (const TTranslationRequest& request : requests) {
            answer.clear();
            SendTranslationRequest(http, request, answer);
            benchmark::DoNotOptimize(answer);
        }
    }
}

size_t Collect(char* data, size_t size, size_t count, void* user)
{
    static_cast<QByteArray*>(user)->append(data, qsizetype(size * count));
    return size * count;
}

void BM_BareLibcurlPieces(benchmark::State& state)
{
    QList<QByteArray> bodies;
    QByteArray url;
    for (const QString& piece : CutIntoPieces(LongText()).Pieces) {
        const TTranslationRequest request = ComposeTranslationRequest(
            Endpoint().BaseUrl(), piece, QStringLiteral("en"), QStringLiteral("ar"), QStringLiteral("at"));
        url = request.Url;
        bodies.append(PostBodyFromLines(request.FormLines));
    }
    const QByteArray caFile = TestCaFile().toLocal8Bit();
    CURL* curl = curl_easy_init();
    QByteArray answer;
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer);
    const auto post = [&](const QByteArray& body) {
        answer.clear();
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, long(body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.constData());
        long status = 0;
        return curl_easy_perform(curl) == CURLE_OK &&
               curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status == 200;
    };
    post(bodies.front()); // opens the connection
    for (auto _ : state) {
        for (const QByteArray& body : bodies) {
            if (!post(body)) {
                state.SkipWithError("a piece was not translated");
                break;
            }
            benchmark::DoNotOptimize(answer);
        }
    }
    curl_easy_cleanup(curl);
}

} // namespace

// The fastest repetition too: on a shared machine it is the one least disturbed by others.
double Fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(BM_BareLibcurlPieces)
    ->Iterations(Texts)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest)
    ->DisplayAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClientPieces)
    ->Iterations(Texts)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest)
    ->DisplayAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorkerLongText)
    ->Iterations(Texts)
    ->Repetitions(10)
    ->ComputeStatistics("min", Fastest)
    ->DisplayAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return RunQtBenchmarks<QCoreApplication>(argc, argv);
}
