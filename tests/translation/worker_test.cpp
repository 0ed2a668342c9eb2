// The translation worker: one request per text (GET or POST by length), the fallback over the
// endpoint's client ids, exactly one posted report, the message for a failed GET, cancellation.

#include "HttpClient.h"
#include "HttpTestSupport.h"
#include "MyThread.h"
#include "QtApplicationEnvironment.h"
#include "RequestHeaders.h"
#include "ServiceClients.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include <gtest/gtest.h>

#include <mutex>

using namespace zorvanel::test;

ZORVANEL_QT_TEST_APPLICATION(TQtApplicationEnvironment<QCoreApplication>);

namespace {

// Stands in for the main window: counts the reports it receives.
class TReceiver : public QObject
{
public:
    QList<QEvent::Type> Reports;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == WM_TRANSLATION_DONE || e->type() == WM_TRANSLATION_FAILED) {
            Reports.append(e->type());
            return true;
        }
        return QObject::event(e);
    }
};

class WorkerTest : public ::testing::Test
{
protected:
    void SetUp() override { PrepareRequestHeaders(FHttp); }

    // Runs one worker to its end and lets its report arrive.
    void Translate(const TFakeEndpoint& endpoint, const QString& text,
                   const QStringList& clientIds = {"gtx", "at"})
    {
        ServiceBaseUrl = QString::fromLatin1(endpoint.BaseUrl());
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
    QByteArray FResult;
    std::mutex FMutex;
    QStringList FMessages;
};

TEST_F(WorkerTest, ShortTextGoesByGetAndReportsTheBody)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    Translate(endpoint, QStringLiteral("Hello world"));
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_DONE});
    EXPECT_TRUE(QString::fromUtf8(FResult).contains(QStringLiteral("مرحبا بالعالم")));
    EXPECT_EQ(endpoint.Requests().at(0).Method, "GET");
    EXPECT_TRUE(FMessages.isEmpty());
}

TEST_F(WorkerTest, RefusedClientIdIsReplacedByTheNextAndRememberedForTheRun)
{
    TFakeEndpoint endpoint; // refuses gtx with 429, like the real endpoint today
    RememberWorkingClientId(QString());
    Translate(endpoint, QString(1960, u'a')); // a POST
    FResult.clear();
    Translate(endpoint, QStringLiteral("Hello world"));
    EXPECT_EQ(endpoint.ClientIds(), (QList<QByteArray>{"gtx", "at", "at"}));
    EXPECT_EQ(endpoint.Requests().at(1).Method, "POST");
    EXPECT_EQ(FReceiver.Reports, (QList<QEvent::Type>{WM_TRANSLATION_DONE, WM_TRANSLATION_DONE}));
    EXPECT_TRUE(FMessages.isEmpty());
    RememberWorkingClientId(QString());
}

TEST_F(WorkerTest, FailedGetWithNothingReceivedShowsTheLastFailureThenReportsItFailed)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    endpoint.Respond("HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n");
    Translate(endpoint, QStringLiteral("Hello"), {"gtx", "at"});
    EXPECT_EQ(FMessages, QStringList{QStringLiteral("HTTP/1.1 503 Service Unavailable")});
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_FAILED});
    EXPECT_EQ(FResult, "HTTP/1.1 503 Service Unavailable");

    // Blanks are not an answer either.
    FResult.clear();
    endpoint.Respond("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\n \r\n\r\n", true);
    Translate(endpoint, QStringLiteral("Hello"), {"at"});
    EXPECT_EQ(FReceiver.Reports.back(), WM_TRANSLATION_FAILED);
    EXPECT_EQ(FResult, "Connection Closed Gracefully.");
}

TEST_F(WorkerTest, FailedGetThatReceivedPartOfAnAnswerReportsDoneWithIt)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\n[[[\"A\r\n", true);
    Translate(endpoint, QStringLiteral("Hello"), {"at"});
    EXPECT_EQ(FMessages, QStringList{QStringLiteral("Connection Closed Gracefully.")});
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_DONE});
    EXPECT_EQ(FResult, "[[[\"A");
}

TEST_F(WorkerTest, FailedPostReportsFailedWithTheTextAndNoMessage)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    Translate(endpoint, QString(1960, u'b'), {"gtx"});
    EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_FAILED});
    EXPECT_EQ(FResult, "HTTP/1.1 403 Forbidden");
    EXPECT_TRUE(FMessages.isEmpty());

    FResult = "  \r\n";
    endpoint.Enqueue({TScriptedAnswer::TKind::CloseAfterReading});
    Translate(endpoint, QString(1960, u'b'), {"at"});
    EXPECT_EQ(FResult, "  \r\nConnection Closed Gracefully.");
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
        FResult.clear();
        FMessages.clear();
        FReceiver.Reports.clear();
        Translate(proxy, QString(1960, u'p'), {"gtx", "at"}); // a POST: no message box
        EXPECT_EQ(FResult, statusLine);
        EXPECT_EQ(FReceiver.Reports, QList<QEvent::Type>{WM_TRANSLATION_FAILED});
        EXPECT_EQ(proxy.Requests().size(), 1u) << status.constData();

        FResult.clear();
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

} // namespace
