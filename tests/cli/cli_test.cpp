// zorvanel-translate as a user runs it: a child process against the fake endpoint.

#include "FakeEndpoint.h"
#include "QtApplicationEnvironment.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace zorvanel::test;

ZORVANEL_QT_TEST_APPLICATION(TQtApplicationEnvironment<QCoreApplication>);

namespace {

struct TRun
{
    int ExitCode = -1;
    QString Out;
    QString Err;
};

class CliTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(FDir.isValid()); }

    QProcess* Start(const TFakeEndpoint& endpoint, const QStringList& arguments)
    {
        return Start(endpoint.BaseUrl(), arguments);
    }

    QProcess* Start(const QByteArray& serviceUrl, const QStringList& arguments)
    {
        auto* process = new QProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZORVANEL_SERVICE_URL"), QString::fromLatin1(serviceUrl));
        environment.insert(QStringLiteral("ZORVANEL_CA_FILE"), TestCaFile());
        process->setProcessEnvironment(environment);
        QStringList all{QStringLiteral("--settings"), SettingsFile()};
        process->start(QStringLiteral(ZORVANEL_CLI_PATH), all + arguments);
        process->waitForStarted();
        return process;
    }

    TRun Run(const TFakeEndpoint& endpoint, const QStringList& arguments, const QByteArray& input = {})
    {
        return Run(endpoint.BaseUrl(), arguments, input);
    }

    TRun Run(const QByteArray& serviceUrl, const QStringList& arguments, const QByteArray& input = {})
    {
        std::unique_ptr<QProcess> process(Start(serviceUrl, arguments));
        process->write(input);
        process->closeWriteChannel();
        process->waitForFinished(60000);
        return {process->exitCode(), QString::fromUtf8(process->readAllStandardOutput()),
                QString::fromUtf8(process->readAllStandardError())};
    }

    QString SettingsFile() const { return FDir.filePath(QStringLiteral("Zorvanel.ini")); }

    void WriteSettings(const QByteArray& text)
    {
        QFile file(SettingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QTemporaryDir FDir;
};

TEST_F(CliTest, TranslatesArgumentsOrStandardInput)
{
    TFakeEndpoint endpoint;
    const TRun fromArguments = Run(endpoint, {"--direction", "0", "Hello", "world"});
    EXPECT_EQ(fromArguments.ExitCode, 0) << fromArguments.Err.toStdString();
    EXPECT_EQ(fromArguments.Out, QStringLiteral("مرحبا بالعالم\n"));

    const TRun fromInput =
        Run(endpoint, {"--direction", "1"}, QStringLiteral("\n  مرحبا بالعالم \n").toUtf8());
    EXPECT_EQ(fromInput.Out, QStringLiteral("Hello world\n"));
    const auto requests = endpoint.Requests();
    EXPECT_TRUE(requests.back().Target.endsWith(
        "&sl=ar&tl=en&dt=t&q=%D9%85%D8%B1%D8%AD%D8%A8%D8%A7+%D8%A8%D8%A7%D9%84"
        "%D8%B9%D8%A7%D9%84%D9%85"));
}

TEST_F(CliTest, DirectionAndProxyComeFromTheSettingsFile)
{
    TFakeEndpoint endpoint({.Tls = true, .Proxy = true, .ProxyCredentials = "u:p"});
    WriteSettings("[General]\r\nDirection=1\r\n[Connection]\r\nNoProxy=0\r\nAddress=127.0.0.1\r\nPort=" +
                  QByteArray::number(endpoint.Port()) + "\r\nUserName=u\r\nPassword=p\r\nClients=at\r\n");
    const TRun run = Run(endpoint, {"Good", "morning"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, QStringLiteral("en: Good morning\n"));
    const auto requests = endpoint.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.front().Method, "CONNECT");
    EXPECT_TRUE(requests.back().Tunnelled);
    EXPECT_EQ(endpoint.ClientIds(), QList<QByteArray>{"at"});
}

TEST_F(CliTest, KeepsEachTranslationBesideTheSettingsAndFindsItAgain)
{
    TFakeEndpoint endpoint;
    const QString history = FDir.filePath(QStringLiteral("history.sqlite"));
    ASSERT_EQ(Run(endpoint, {"--history"}).Out, "") << "an empty history prints nothing";
    EXPECT_FALSE(QFile::exists(history)) << "looking makes no file";

    ASSERT_EQ(Run(endpoint, {"--direction", "0", "Hello world"}).ExitCode, 0);
    ASSERT_EQ(Run(endpoint, {"--direction", "1"}, QStringLiteral("مَدْرَسَةٌ").toUtf8()).ExitCode, 0);
    ASSERT_EQ(Run(endpoint, {"--direction", "0", "--no-history", "Good morning"}).ExitCode, 0);
    EXPECT_TRUE(QFile::exists(history));

    const TRun all = Run(endpoint, {"--history"});
    EXPECT_EQ(all.ExitCode, 0) << all.Err.toStdString();
    const QStringList entries = all.Out.trimmed().split(QStringLiteral("\n\n"));
    ASSERT_EQ(entries.size(), 2) << all.Out.toStdString();
    const QRegularExpression head(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  "));
    EXPECT_TRUE(head.match(entries[0]).hasMatch()) << entries[0].toStdString();
    EXPECT_TRUE(entries[0].endsWith(QStringLiteral("Arabic → English\nمَدْرَسَةٌ\nen: مَدْرَسَةٌ")))
        << entries[0].toStdString();
    EXPECT_TRUE(entries[1].endsWith(QStringLiteral("English → Arabic\nHello world\nمرحبا بالعالم")))
        << entries[1].toStdString();

    // Found without its harakat, and English without regard to case.
    EXPECT_TRUE(Run(endpoint, {"--history", "مدرسة"}).Out.contains(QStringLiteral("مَدْرَسَةٌ")));
    const TRun hello = Run(endpoint, {"--history", "hello"});
    EXPECT_TRUE(hello.Out.contains("Hello world"));
    EXPECT_FALSE(hello.Out.contains(QStringLiteral("مَدْرَسَةٌ")));

    const TRun cleared = Run(endpoint, {"--history-clear"});
    EXPECT_EQ(cleared.ExitCode, 0) << cleared.Err.toStdString();
    EXPECT_EQ(Run(endpoint, {"--history"}).Out, "");

    // With the history turned off nothing is kept.
    WriteSettings("[General]\r\nHistory=0\r\n");
    ASSERT_EQ(Run(endpoint, {"--direction", "0", "Hello world"}).ExitCode, 0);
    EXPECT_EQ(Run(endpoint, {"--history"}).Out, "");
}

TEST_F(CliTest, AHistoryThatCannotBeWrittenLeavesTheTranslationAsItIs)
{
    TFakeEndpoint endpoint;
    QFile corrupt(FDir.filePath(QStringLiteral("history.sqlite")));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(QByteArray(8192, 'x'));
    corrupt.close();

    const TRun run = Run(endpoint, {"--direction", "0", "Hello world"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, QStringLiteral("مرحبا بالعالم\n"));
    EXPECT_TRUE(run.Err.startsWith("zorvanel-translate: ")) << run.Err.toStdString();

    const TRun listed = Run(endpoint, {"--history"});
    EXPECT_EQ(listed.ExitCode, 1);
    EXPECT_FALSE(listed.Err.isEmpty());
}

TEST_F(CliTest, HistoryOptionsThatDoNotGoTogetherAreRefused)
{
    TFakeEndpoint endpoint;
    for (const QStringList& arguments :
         {QStringList{"--history-clear", "x"}, QStringList{"--history", "--check"},
          QStringList{"--history", "--no-history"}, QStringList{"--history", "--direction", "0"}}) {
        const TRun run = Run(endpoint, arguments);
        EXPECT_EQ(run.ExitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.Err.contains("usage: zorvanel-translate")) << run.Err.toStdString();
    }
    EXPECT_TRUE(endpoint.Requests().empty());
}

TEST_F(CliTest, ReportsBadInputWithExitCodeTwo)
{
    TFakeEndpoint endpoint;
    const TRun empty = Run(endpoint, {}, " \t\r\n");
    EXPECT_EQ(empty.ExitCode, 2);
    EXPECT_EQ(empty.Err, "nothing to translate\n");

    const TRun badOption = Run(endpoint, {"--direction", "2", "x"});
    EXPECT_EQ(badOption.ExitCode, 2);
    EXPECT_TRUE(badOption.Err.contains("usage: zorvanel-translate")) << badOption.Err.toStdString();

    WriteSettings("[Connection]\nNoProxy=0\nAddress=127.0.0.1\nPort=8o8o\n");
    const TRun badPort = Run(endpoint, {"x"});
    EXPECT_EQ(badPort.ExitCode, 2);
    EXPECT_EQ(badPort.Err, "'8o8o' is not a valid integer value\n");
    EXPECT_TRUE(endpoint.Requests().empty());
}

TEST_F(CliTest, FailureTextsGoToStandardErrorWithExitCodeOne)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    const TRun get = Run(endpoint, {"x"});
    EXPECT_EQ(get.ExitCode, 1);
    EXPECT_EQ(get.Out, "");
    EXPECT_EQ(get.Err, "HTTP/1.1 403 Forbidden\nTranslate Engine disabled, Please try again later.\n");

    // The failed GET's text, then what the output pane would show, once when they are the same.
    WriteSettings("[Connection]\nClients=at\n");
    endpoint.Respond("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
    const TRun notFound = Run(endpoint, {"x"});
    EXPECT_EQ(notFound.ExitCode, 1);
    EXPECT_EQ(notFound.Err, "HTTP/1.1 404 Not Found\n");
    quint16 closedPort = 0;
    {
        TFakeEndpoint gone;
        closedPort = gone.Port();
    }
    const TRun refused = Run("http://127.0.0.1:" + QByteArray::number(closedPort), {"x"});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_EQ(refused.Err,
              "Socket Error # 10061\r\nConnection refused.\nSocket Error # 10061 Connection refused.\n");

    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    const TRun post = Run(endpoint, {QString(2000, u'x')});
    EXPECT_EQ(post.ExitCode, 1);
    EXPECT_EQ(post.Err, "Translate Engine disabled, Please try again later.\n");
    const TRun postRefused = Run("http://127.0.0.1:" + QByteArray::number(closedPort), {QString(2000, u'x')});
    EXPECT_EQ(postRefused.Err, "Socket Error # 10061 Connection refused.\n");
}

TEST_F(CliTest, InterruptCancelsTheRequestInFlight)
{
    TFakeEndpoint endpoint;
    endpoint.Enqueue({TScriptedAnswer::TKind::Silent});
    std::unique_ptr<QProcess> process(Start(endpoint, {"x"}));
    process->closeWriteChannel();
    for (int i = 0; i < 1000 && endpoint.Requests().empty(); ++i) {
        QThread::msleep(10);
    }
    ASSERT_FALSE(endpoint.Requests().empty());
    ::kill(pid_t(process->processId()), SIGINT);
    ASSERT_TRUE(process->waitForFinished(20000));
    EXPECT_EQ(process->exitCode(), 130);
}

TEST_F(CliTest, LongTextGoesInPiecesAndPrintsTheJoinedTranslation)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    const QString first = QStringLiteral("one ").repeated(1000).trimmed();
    const QString second = QStringLiteral("two ").repeated(1000).trimmed();
    const TRun run = Run(endpoint, {"--direction", "0"}, (first + u'\n' + second + u'\n').toUtf8());
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, QStringLiteral("ar: ") + first + QStringLiteral("\nar: ") + second + u'\n');
    EXPECT_EQ(endpoint.Requests().size(), 2u);
}

TEST_F(CliTest, CheckTriesEveryClientIdOnceAndSaysWhichWork)
{
    TFakeEndpoint endpoint({.RefuseByRedirect = true}); // refuses gtx with a 302 to its sorry page
    WriteSettings("[Connection]\nClients=gtx,at\n");
    const TRun oneWorks = Run(endpoint, {"--check"});
    EXPECT_EQ(oneWorks.ExitCode, 0) << oneWorks.Err.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("\\Agtx refused HTTP/1.1 302 Found\nat ok \\d+ ms\n\\z"))
                    .match(oneWorks.Out)
                    .hasMatch())
        << oneWorks.Out.toStdString();
    EXPECT_EQ(endpoint.ClientIds(), (QList<QByteArray>{"gtx", "at"}));
    const auto requests = endpoint.Requests();
    EXPECT_TRUE(requests.back().Target.endsWith("&sl=en&tl=ar&dt=t&q=Hello"));

    TFakeEndpoint refusesAll({.RefusedClients = {"gtx", "at"}});
    const TRun noneWorks = Run(refusesAll, {"--check"});
    EXPECT_EQ(noneWorks.ExitCode, 1);
    EXPECT_EQ(noneWorks.Out,
              "gtx refused HTTP/1.1 429 Too Many Requests\nat refused HTTP/1.1 429 Too Many Requests\n");

    quint16 closedPort = 0;
    {
        TFakeEndpoint gone;
        closedPort = gone.Port();
    }
    WriteSettings("[Connection]\nClients=at\n");
    const TRun unreachable = Run("http://127.0.0.1:" + QByteArray::number(closedPort), {"--check"});
    EXPECT_EQ(unreachable.ExitCode, 1);
    EXPECT_EQ(unreachable.Out, "at failed Socket Error # 10061 Connection refused.\n");

    const TRun withText = Run(endpoint, {"--check", "Hello"});
    EXPECT_EQ(withText.ExitCode, 2);
}

} // namespace
