// The translation worker: one request per text (GET or POST by length), long texts piece by
// piece on one connection, the fallback over the endpoint's client ids and their refusals,
// exactly one posted report after the progress of the pieces, the message for a failed GET,
// cancellation.

#include "DecodeTranslation.h"
#include "HttpClient.h"
#include "HttpFailure.h"
#include "HttpTestSupport.h"
#include "MyThread.h"
#include "QtApplicationEnvironment.h"
#include "RequestHeaders.h"
#include "ServiceClients.h"
#include "TranslationRequest.h"
#include "TranslationResult.h"
#include "UrlEncode.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

using namespace zorvanel::test;

ZORVANEL_QT_TEST_APPLICATION(TQtApplicationEnvironment<QCoreApplication>);

namespace {

// Stands in for the main window: counts the reports it receives and notes the progress.
class TReceiver : public QObject
{
public:
    QList<QEvent::Type> Reports;
    QStringList Progress; // "k/n" for each progress event

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == WM_TRANSLATION_DONE || e->type() == WM_TRANSLATION_FAILED) {
            Reports.append(e->type());
            return true;
        }
        if (e->type() == WM_TRANSLATION_PROGRESS) {
            const auto* progress = static_cast<TTranslationProgressEvent*>(e);
            Progress.append(QStringLiteral("%1/%2").arg(progress->Piece).arg(progress->Pieces));
            return true;
        }
        return QObject::event(e);
    }
};

// The form lines of a recorded POST, by name.
QByteArray Field(const TRecordedRequest& request, const char* name)
{
    for (const QByteArray& pair : request.Body.split('&')) {
        if (pair.startsWith(QByteArray(name) + '=')) {
            return pair.mid(qsizetype(std::strlen(name)) + 1);
        }
    }
    return {};
}

// Three paragraphs of 3,999 characters each, 12,001 with their line ends: three pieces.
const QString ThreeParagraphs = QStringLiteral("one ").repeated(1000).trimmed() + QStringLiteral("\r\n") +
                                QStringLiteral("two ").repeated(1000).trimmed() + QStringLiteral("\r\n") +
                                QStringLiteral("six ").repeated(1000).trimmed();

QByteArray Answer(const char* translation)
{
    return Ok(QByteArray("[[[\"") + translation + "\",\"x\",null,null,10]],null,\"en\"]");
}

class WorkerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PrepareRequestHeaders(FHttp);
        ForgetClientIdHistory();
    }
    void TearDown() override { ForgetClientIdHistory(); }

    // Runs one worker to its end and lets its report arrive.
    void Translate(const TFakeEndpoint& endpoint, const QString& text,
                   const QStringList& clientIds = {"gtx", "at"})
    {
        ServiceBaseUrl = QString::fromLatin1(endpoint.BaseUrl());
        FResult = TTranslationResult();
        QPointer<TMyThread> worker = new TMyThread(
            &FReceiver, &FHttp, text, QStringLiteral("en"), QStringLiteral("ar"), &FResult,
            [this](const QString& message) {
                std::lock_guard lock(FMutex);
                FMessages.append(message);
            },
            clientIds);
        QElapsedTimer guard;
        guard.start();
        while (worker && guard.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        ASSERT_TRUE(worker.isNull()) << "the worker did not end";
        QCoreApplication::sendPostedEvents(&FReceiver);
    }

    THttpClient FHttp;
    TReceiver FReceiver;
    TTranslationResult FResult;
    std::mutex FMutex;
    QStringList FMessages;
};

TEST_F(WorkerTest, ShortTextGoesByGetAndReportsTheBody)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    Translate(endpoint, QStringLiteral("Hello world"));
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_DONE});
    EXPECT_EQ(FResult.Translation, QStringLiteral("مرحبا بالعالم"));
    EXPECT_TRUE(FReceiver.Progress.isEmpty()) << "one piece: no progress";
    EXPECT_EQ(endpoint.Requests().at(0).Method, "GET");
    EXPECT_TRUE(FMessages.isEmpty());
}

TEST_F(WorkerTest, RefusedClientIdIsReplacedByTheNextAndRememberedForTheRun)
{
    for (const bool redirect : {false, true}) {
        SCOPED_TRACE(redirect ? "302 to the sorry page" : "429");
        ForgetClientIdHistory();
        FReceiver.Reports.clear();
        TFakeEndpoint endpoint({.RefuseByRedirect = redirect}); // refuses gtx
        Translate(endpoint, QString(1960, u'a'));               // a POST
        Translate(endpoint, QStringLiteral("Hello world"));
        EXPECT_EQ(endpoint.ClientIds(), (QList<QByteArray>{"gtx", "at", "at"}));
        EXPECT_EQ(endpoint.Requests().at(1).Method, "POST");
        EXPECT_EQ(FReceiver.Reports, (QList<QEvent::Type>{WM_TRANSLATION_DONE, WM_TRANSLATION_DONE}));
        EXPECT_EQ(FResult.Translation, QStringLiteral("مرحبا بالعالم"));
        EXPECT_TRUE(FMessages.isEmpty());
    }
}

TEST_F(WorkerTest, OtherRedirectsAreTheTranslationsOwnFailure)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 302 Found\r\nLocation: /elsewhere/sorry\r\nContent-Length: 0\r\n\r\n");
    Translate(endpoint, QString(1960, u'a'), {"gtx", "at"});
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_FAILED});
    EXPECT_EQ(FResult.ErrorText, "HTTP/1.1 302 Found");
    EXPECT_EQ(endpoint.ClientIds(), QList<QByteArray>{"gtx"});
}

TEST_F(WorkerTest, FailedGetWithNothingReceivedShowsTheLastFailureThenReportsItFailed)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    endpoint.Respond("HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n");
    Translate(endpoint, QStringLiteral("Hello"), {"gtx", "at"});
    EXPECT_EQ(FMessages, QStringList{QStringLiteral("HTTP/1.1 503 Service Unavailable")});
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_FAILED});
    EXPECT_EQ(FResult.ErrorText, "HTTP/1.1 503 Service Unavailable");
    EXPECT_TRUE(FResult.Translation.isEmpty());

    // Blanks are not an answer either.
    endpoint.Respond("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\n \r\n\r\n", true);
    Translate(endpoint, QStringLiteral("Hello"), {"at"});
    EXPECT_EQ(FReceiver.Reports.back(), WM_TRANSLATION_FAILED);
    EXPECT_EQ(FResult.ErrorText, ErrorConnectionClosed);
}

TEST_F(WorkerTest, FailedGetThatReceivedPartOfAnAnswerReportsDoneWithIt)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n[[[\"A\r\n", true);
    Translate(endpoint, QStringLiteral("Hello"), {"at"});
    EXPECT_EQ(FMessages, QStringList{QStringLiteral("Connection Closed Gracefully.")});
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_DONE});
    EXPECT_EQ(FResult.ErrorText, ErrorParseFailed);
}

TEST_F(WorkerTest, FailedPostReportsFailedWithTheTextAndNoMessage)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    Translate(endpoint, QString(1960, u'b'), {"gtx"});
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_FAILED});
    EXPECT_EQ(FResult.ErrorText, ErrorEngineDisabled);
    EXPECT_TRUE(FMessages.isEmpty());

    endpoint.Enqueue({TScriptedAnswer::TKind::CloseAfterReading});
    Translate(endpoint, QString(1960, u'b'), {"at"});
    EXPECT_EQ(FResult.ErrorText, ErrorConnectionClosed);
}

TEST_F(WorkerTest, ProxyThatRefusesTheTunnelIsReportedAtOnceWithoutTryingOtherClientIds)
{
    TTrustTestCa trust;
    for (const QByteArray status : {"403 Forbidden", "429 Too Many Requests", "503 Service Unavailable"}) {
        const QByteArray statusLine = "HTTP/1.1 " + status;
        TFakeEndpoint proxy(
            {.Tls = true, .Proxy = true, .ConnectAnswer = statusLine + "\r\nContent-Length: 0\r\n\r\n"});
        FHttp.SetProxyServer("127.0.0.1");
        FHttp.SetProxyPort(proxy.Port());
        FMessages.clear();
        FReceiver.Reports.clear();
        Translate(proxy, QString(1960, u'p'), {"gtx", "at"}); // a POST: no message box
        EXPECT_EQ(FResult.ErrorText, TranslationFailureText(QString::fromLatin1(statusLine)));
        EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_FAILED});
        EXPECT_EQ(proxy.Requests().size(), 1u) << status.constData();

        Translate(proxy, QStringLiteral("Hello"), {"gtx", "at"});
        EXPECT_EQ(FMessages, QStringList{QString::fromLatin1(statusLine)});
        EXPECT_EQ(proxy.Requests().size(), 2u) << status.constData();
    }
    FHttp.ClearProxy();
}

TEST_F(WorkerTest, ThresholdChoosesTheMethodByEncodedLength)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    Translate(endpoint, QString(326, QChar(0x0645)), {"at"}); // 1956 encoded bytes
    Translate(endpoint, QString(327, QChar(0x0645)), {"at"}); // 1962
    const auto requests = endpoint.Requests();
    EXPECT_EQ(requests.at(0).Method, "GET");
    EXPECT_EQ(requests.at(1).Method, "POST");
    EXPECT_TRUE(requests.at(1).Body.startsWith("client=at&dt=t&q=%D9%85"));
    EXPECT_TRUE(requests.at(1).Body.endsWith("&sl=en&tl=ar"));
}

TEST_F(WorkerTest, CancelledWorkerReportsNothing)
{
    TFakeEndpoint endpoint;
    endpoint.Enqueue({TScriptedAnswer::TKind::Silent});
    std::thread canceller([&] {
        WaitForRequests(endpoint, 1);
        FHttp.Cancel();
    });
    Translate(endpoint, QStringLiteral("Hello"), {"at"});
    canceller.join();
    EXPECT_TRUE(FReceiver.Reports.isEmpty());
    EXPECT_TRUE(FMessages.isEmpty());
}

TEST_F(WorkerTest, LongTextGoesPieceByPieceInOrderOnOneConnection)
{
    TTrustTestCa trust;
    TFakeEndpoint endpoint({.Tls = true, .RefusedClients = {}});
    Translate(endpoint, ThreeParagraphs, {"at"});
    const auto requests = endpoint.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(endpoint.ConnectionCount(), 1);
    const QStringList paragraphs = ThreeParagraphs.split(QStringLiteral("\r\n"));
    for (int i = 0; i < 3; ++i) {
        // Each piece exactly as a text of its own goes, its paragraph end not sent.
        const TTranslationRequest alone =
            ComposeTranslationRequest(endpoint.BaseUrl(), paragraphs[i], QStringLiteral("en"),
                                      QStringLiteral("ar"), QStringLiteral("at"));
        EXPECT_EQ(requests[i].Method, "POST");
        EXPECT_EQ(requests[i].Body, PostBodyFromLines(alone.FormLines)) << i;
    }
    EXPECT_EQ(FReceiver.Progress, (QStringList{"1/3", "2/3", "3/3"}));
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_DONE});
    EXPECT_EQ(FResult.ErrorText, "");
    EXPECT_EQ(FResult.Translation, QStringLiteral("ar: ") + paragraphs[0] + QStringLiteral("\r\nar: ") +
                                       paragraphs[1] + QStringLiteral("\r\nar: ") + paragraphs[2]);
}

TEST_F(WorkerTest, TextOfTheLongestPieceGoesWholeAsBefore)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    // White space at both ends and a paragraph end inside: all of it is sent, as it always was.
    const QString text = QStringLiteral(" a\r\n") + QString(4993, u'b') + QStringLiteral(" \r\n");
    ASSERT_EQ(text.size(), 5000);
    Translate(endpoint, text, {"at"});
    const auto requests = endpoint.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(Field(requests[0], "q"), UrlEncode(text.toUtf8()));
    EXPECT_TRUE(FReceiver.Progress.isEmpty());

    Translate(endpoint, text + u'c', {"at"});
    EXPECT_EQ(endpoint.Requests().size(), 3u);
    EXPECT_EQ(FReceiver.Reports, (QList<QEvent::Type>{WM_TRANSLATION_DONE, WM_TRANSLATION_DONE}));
}

TEST_F(WorkerTest, RefusalOfALaterPieceMovesOnToTheNextClientIdAndSendsThatIdLast)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    endpoint.Respond(Answer("T1"));
    endpoint.Respond("HTTP/1.1 302 Found\r\nLocation: /sorry/index?continue=x\r\nContent-Length: 0\r\n\r\n");
    Translate(endpoint, ThreeParagraphs, {"gtx", "at"});
    EXPECT_EQ(endpoint.ClientIds(), (QList<QByteArray>{"gtx", "gtx", "at", "at"}));
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_DONE});
    EXPECT_TRUE(FResult.Translation.startsWith(QStringLiteral("T1\r\nar: two two")));
    EXPECT_TRUE(FMessages.isEmpty());
}

TEST_F(WorkerTest, FirstPieceThatFailsEndsTheTranslationWithNothingOfTheEarlierOnes)
{
    struct TCase
    {
        const char* Name;
        QByteArray SecondAnswer;
        QEvent::Type Report;
        QString ErrorText;
    };
    const TCase cases[] = {
        {"refused", "HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n", WM_TRANSLATION_FAILED,
         ErrorEngineDisabled},
        {"other status", "HTTP/1.1 413 Request Entity Too Large\r\nContent-Length: 0\r\n\r\n",
         WM_TRANSLATION_FAILED, "HTTP/1.1 413 Request Entity Too Large"},
        {"no translation", Ok("<html>busy</html>"), WM_TRANSLATION_DONE, ErrorParseFailed},
    };
    TFakeEndpoint endpoint({.RefusedClients = {}});
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const size_t before = endpoint.Requests().size();
        FReceiver.Reports.clear();
        FReceiver.Progress.clear();
        endpoint.Respond(Answer("T1"));
        endpoint.Respond(c.SecondAnswer);
        Translate(endpoint, ThreeParagraphs, {"at"});
        EXPECT_EQ(endpoint.Requests().size() - before, 2u) << "no piece after the one that failed";
        EXPECT_EQ(FReceiver.Progress, (QStringList{"1/3", "2/3"}));
        EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{c.Report});
        EXPECT_EQ(FResult.ErrorText, c.ErrorText);
        EXPECT_EQ(FResult.Translation, "");
    }
}

TEST_F(WorkerTest, CancelWhileALaterPieceIsInFlightStartsNoFurtherPiece)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    endpoint.Respond(Answer("T1"));
    endpoint.Enqueue({TScriptedAnswer::TKind::Silent});
    std::thread canceller([&] {
        WaitForRequests(endpoint, 2);
        FHttp.Cancel();
    });
    Translate(endpoint, ThreeParagraphs, {"at"});
    canceller.join();
    EXPECT_EQ(endpoint.Requests().size(), 2u);
    EXPECT_TRUE(FReceiver.Reports.isEmpty());
}

TEST(ServiceClientsTest, RefusalsAreTheEndpointsStatusesAndItsRedirectsToTheSorryPage)
{
    struct TCase
    {
        int Status;
        QByteArray Location;
        bool Refusal;
    };
    const TCase cases[] = {
        {429, {}, true},
        {403, {}, true},
        {503, {}, true},
        {302, "/sorry/index?continue=https://x/translate_a/single", true},
        {303, "https://service.invalid/sorry/index?continue=x", true},
        {302, "/translate_a/single", false},
        {302, "https://service.invalid/elsewhere/sorry", false},
        {301, "/sorry/index", false},
        {307, "/sorry/index", false},
        {404, {}, false},
        {0, {}, false},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(IsClientRefusal(THttpError(QStringLiteral("x"), c.Status, c.Location)), c.Refusal)
            << c.Status << ' ' << c.Location.constData();
    }
}

TEST(ServiceClientsTest, RefusedIdsGoLastAndTheWorkingOneFirst)
{
    ForgetClientIdHistory();
    const QStringList all{"gtx", "at", "dict-chrome-ex"};
    RememberRefusedClientId(QStringLiteral("gtx"));
    EXPECT_EQ(ClientIdsToTry(all), (QStringList{"at", "dict-chrome-ex", "gtx"}));
    RememberRefusedClientId(QStringLiteral("at"));
    EXPECT_EQ(ClientIdsToTry(all), (QStringList{"dict-chrome-ex", "gtx", "at"}));
    EXPECT_EQ(ClientIdsToTry({}), ClientIdsToTry(all)) << "the defaults are the same list";
    RememberWorkingClientId(QStringLiteral("at"));
    EXPECT_EQ(ClientIdsToTry(all), (QStringList{"at", "dict-chrome-ex", "gtx"}));
    // An id configured later that was never refused keeps its place.
    EXPECT_EQ(ClientIdsToTry({"gtx", "te"}), (QStringList{"te", "gtx"}));
    ForgetClientIdHistory();
    EXPECT_EQ(ClientIdsToTry(all), all);
}

} // namespace
