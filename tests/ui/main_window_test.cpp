// The main window with the offscreen platform: start-up and settings, the direction, the
// translate command against the fake endpoint, the clipboard commands, files, printing and links,
// with the desktop's facilities scripted.

#include "AppSettings.h"
#include "ApplicationEnvironment.h"
#include "ApplicationTitle.h"
#include "ClipboardText.h"
#include "FakeEndpoint.h"
#include "HttpClient.h"
#include "IniFiles.h"
#include "MainWindowFixture.h"
#include "PaneText.h"
#include "RVStyle.h"
#include "RVWords.h"
#include "RequestHeaders.h"
#include "RichPane.h"
#include "ScriptedServices.h"
#include "frm_Main.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QThread>
#include <QToolButton>

#include <atomic>

using namespace zorvanel::test;

ZORVANEL_QT_TEST_APPLICATION(TApplicationEnvironment);

namespace {

class MainWindowTest : public TMainWindowTest
{
};

TEST_F(MainWindowTest, StartsWithoutSettingsInEnglishToArabic)
{
    TfrmMain& window = Open();
    EXPECT_EQ(window.windowTitle(), "FREE Zorvanel Translator");
    EXPECT_EQ(ApplicationTitle(), "FREE Zorvanel Translator");
    // Qt appends a display name, once set, to every window's title: none is set.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    EXPECT_EQ(window.size(), QSize(528, 545));
    EXPECT_TRUE(window.rbEngToChn->isChecked());
    EXPECT_EQ(window.rbEngToChn->text(), "Translate English to Arabic");
    EXPECT_EQ(window.rbChnToEng->text(), "Translate Arabic to English");
    EXPECT_EQ(window.labFromLang->text(), "English");
    EXPECT_EQ(window.labToLang->text(), "Arabic");
    EXPECT_EQ(window.E1->BiDiMode(), rvbdLeftToRight);
    EXPECT_EQ(window.E2->BiDiMode(), rvbdRightToLeft);
    EXPECT_EQ(window.E1->Delimiters(), RVInputDelimiters.toString());
    EXPECT_EQ(window.E2->Delimiters(), RVDefaultDelimiters.toString());
    EXPECT_TRUE(window.BarPanel->text().contains(QDate::currentDate().toString(QStringLiteral("yyyy"))));
    EXPECT_EQ(window.RVStyle1->TextStyles[0].FontName, "Arial");
    EXPECT_FALSE(QFile::exists(SettingsFile())) << "reading never creates the file";
    EXPECT_TRUE(FServices->Errors.isEmpty());
}

TEST_F(MainWindowTest, DirectionFromTheFileIsShownAndWrittenBack)
{
    WriteSettings("[General]\r\nDirection=2\r\n");
    TfrmMain& window = Open();
    EXPECT_TRUE(window.rbChnToEng->isChecked());
    EXPECT_EQ(window.labFromLang->text(), "Arabic");
    EXPECT_EQ(window.labToLang->text(), "English");
    EXPECT_EQ(window.E1->BiDiMode(), rvbdRightToLeft);
    EXPECT_EQ(window.E2->BiDiMode(), rvbdLeftToRight);
    EXPECT_EQ(IniReadString(SettingsFile(), "General", "Direction"), "1");

    // Labels follow each other however long the language names are.
    EXPECT_EQ(window.labFromLang->x(), window.labFrom->geometry().right() + 1 + 4);
    EXPECT_EQ(window.labToLang->x(), window.labTo->geometry().right() + 1 + 4);
    EXPECT_EQ(window.ImgLoad->x(), window.labToLang->geometry().right() + 1 + 60);

    window.rbEngToChn->click();
    EXPECT_EQ(IniReadString(SettingsFile(), "General", "Direction"), "0");
    EXPECT_EQ(window.E2->BiDiMode(), rvbdRightToLeft);
    EXPECT_EQ(window.labToLang->text(), "Arabic");
}

TEST_F(MainWindowTest, ProxyWithABadPortIsReportedAndTheWindowStillShows)
{
    WriteSettings("[Connection]\nNoProxy=0\nAddress=proxy.invalid\nPort=8o8o\n");
    TfrmMain& window = Open();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(FServices->Errors, QStringList{"'8o8o' is not a valid integer value."});
    EXPECT_EQ(window.HTTP->Proxy().Server, "");

    // A bad port applies nothing of the new settings: the old proxy stays whole.
    WriteSettings("[Connection]\nNoProxy=0\nAddress=old.invalid\nPort=3128\nUserName=old\nPassword=pw\n");
    window.LoadSettings();
    window.ApplyProxySettings();
    WriteSettings("[Connection]\nNoProxy=0\nAddress=new.invalid\nPort=80 80\nUserName=new\nPassword=x\n");
    window.LoadSettings();
    EXPECT_THROW(window.ApplyProxySettings(), std::runtime_error);
    const TProxyParams kept = window.HTTP->Proxy();
    EXPECT_EQ(kept.Server, "old.invalid");
    EXPECT_EQ(kept.Port, 3128);
    EXPECT_EQ(kept.UserName, "old");
    EXPECT_EQ(kept.Password, "pw");

    WriteSettings("[Connection]\nNoProxy=1\nAddress=proxy.invalid\nPort=8080\n");
    window.LoadSettings();
    window.ApplyProxySettings();
    EXPECT_EQ(window.HTTP->Proxy().Server, "");
}

TEST_F(MainWindowTest, TranslatesIntoTheOutputPaneAndCopiesWithAutoCopy)
{
    TFakeEndpoint endpoint({.Tls = true});
    WriteSettings("[General]\nAutoCopy=1\n");
    TfrmMain& window = Open(&endpoint);
    SetPaneText(*window.E1, QStringLiteral("  Hello world \r\n"));
    window.btnTrans->click();
    EXPECT_EQ(GetPaneText(*window.E2), "Translation, please wait ...");
    EXPECT_EQ(window.E2->document()->begin().blockFormat().layoutDirection(), Qt::LeftToRight)
        << "the waiting line reads left to right in the right-to-left pane";
    WaitWhileTranslating();
    EXPECT_EQ(GetPaneText(*window.E2), QStringLiteral("مرحبا بالعالم"));
    EXPECT_EQ(window.E2->document()->begin().blockFormat().layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(window.FSourceText, "Hello world");
    EXPECT_TRUE(window.btnTrans->isEnabled());
    EXPECT_EQ(window.ImgLoad->movie(), nullptr);
    EXPECT_TRUE(window.E2->hasFocus() || QApplication::focusWidget() == window.E2);
    EXPECT_EQ(ReadClipboardText(), QStringLiteral("مرحبا بالعالم"));
    EXPECT_EQ(window.FLastCopiedText, QStringLiteral("مرحبا بالعالم"));
    EXPECT_EQ(endpoint.ClientIds(), (QList<QByteArray>{"gtx", "at"}));
}

TEST_F(MainWindowTest, TranslatesTheSelectionOnlyAndKeepsLineEnds)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    TfrmMain& window = Open(&endpoint);
    SetPaneText(*window.E1, QStringLiteral("Good morning\r\nHello world"));
    QTextCursor cursor(window.E1->document());
    cursor.setPosition(0);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    window.E1->setTextCursor(cursor);
    window.btnTrans->click();
    WaitWhileTranslating();
    EXPECT_EQ(window.FSourceText, "Good");
    EXPECT_EQ(GetPaneText(*window.E2), "ar: Good");

    window.E1->moveCursor(QTextCursor::End);
    window.btnTrans->click();
    WaitWhileTranslating();
    EXPECT_EQ(GetPaneText(*window.E2), QStringLiteral("صباح الخير\r\nمرحبا بالعالم"));
    EXPECT_EQ(window.E2->document()->blockCount(), 2);
}

TEST_F(MainWindowTest, CtrlReturnInTheInputPaneTranslatesAndReturnAloneBreaksTheLine)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    TfrmMain& window = Open(&endpoint);
    window.E1->setFocus();
    QTest::keyClicks(window.E1, QStringLiteral("Hello"));
    QTest::keyClick(window.E1, Qt::Key_Return);
    QTest::keyClicks(window.E1, QStringLiteral("world"));
    EXPECT_FALSE(window.IsTranslating());
    QTest::keyClick(window.E1, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(window.IsTranslating());
    WaitWhileTranslating();
    EXPECT_EQ(GetPaneText(*window.E2), "ar: Hello\r\nar: world");
    EXPECT_EQ(GetPaneText(*window.E1), "Hello\r\nworld");
}

TEST_F(MainWindowTest, EnterPressesTheFocusedButtonElseTheTranslateButton)
{
    TFakeEndpoint endpoint({.Tls = true});
    TfrmMain& window = Open(&endpoint);
    SetPaneText(*window.E1, QStringLiteral("Hello world"));

    QTest::keyClick(window.btnHelp, Qt::Key_Return);
    EXPECT_TRUE(window.pmHelp->isVisible()) << "Enter on the help button opens its menu";
    EXPECT_FALSE(window.IsTranslating());
    window.pmHelp->close();

    // A radio button does not use Enter: it reaches the default button.
    QTest::keyClick(window.rbEngToChn, Qt::Key_Return);
    EXPECT_TRUE(window.IsTranslating());
    WaitWhileTranslating();
    EXPECT_EQ(GetPaneText(*window.E2), QString::fromUtf8("مرحبا بالعالم"));
}

TEST_F(MainWindowTest, OneWorkerForADoubleClickAndNoneForAnEmptyPane)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    TfrmMain& window = Open(&endpoint);
    SetPaneText(*window.E2, QStringLiteral("kept"));
    SetPaneText(*window.E1, QStringLiteral(" \t\r\n\r\n"));
    window.btnTrans->click();
    EXPECT_FALSE(window.IsTranslating());
    EXPECT_EQ(GetPaneText(*window.E2), "kept");

    SetPaneText(*window.E1, QStringLiteral("Hello world"));
    window.btnTrans->click();
    window.btnTrans->click();
    window.StartTranslation();
    WaitWhileTranslating();
    EXPECT_EQ(endpoint.Requests().size(), 1u);
}

TEST_F(MainWindowTest, MissingResourceLibraryStopsTheTranslationWithAnErrorBox)
{
    TFakeEndpoint endpoint;
    TfrmMain& window = Open(&endpoint);
    window.ResourceLibrary = FDir.filePath(QStringLiteral("QuembrikSys.DLL"));
    SetPaneText(*window.E1, QStringLiteral("Hello world"));
    QTest::mouseClick(window.btnTrans, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(FServices->Errors, QStringList{"Resource LOADING not found."});
    EXPECT_EQ(GetPaneText(*window.E2), "Translation, please wait ...");
    EXPECT_TRUE(window.btnTrans->isEnabled());
    EXPECT_TRUE(window.ImgLoad->isVisible());
    EXPECT_FALSE(window.IsTranslating());
    EXPECT_TRUE(endpoint.Requests().empty());
}

TEST_F(MainWindowTest, FailedGetShowsABoxThatDoesNotBlockTheWindow)
{
    TFakeEndpoint endpoint;
    for (int i = 0; i < 3; ++i) {
        endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    }
    WriteSettings("[General]\nAutoCopy=1\n");
    TfrmMain& window = Open(&endpoint);
    WriteClipboardText(QStringLiteral("before"));
    SetPaneText(*window.E1, QStringLiteral("Hello"));
    window.btnTrans->click();
    QElapsedTimer guard;
    guard.start();
    while (FServices->OpenMessages.isEmpty() && guard.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_EQ(FServices->OpenMessages.size(), 1);
    EXPECT_EQ(FServices->OpenMessages[0].Text, "HTTP/1.1 403 Forbidden");
    EXPECT_EQ(FServices->OpenMessages[0].Kind, 2);
    EXPECT_EQ(FServices->OpenMessages[0].Caption, "FREE Zorvanel Translator");
    // While the box is open the window works, but translates nothing more.
    EXPECT_FALSE(window.btnTrans->isEnabled());
    window.rbChnToEng->click();
    EXPECT_EQ(IniReadString(SettingsFile(), "General", "Direction"), "1");

    FServices->CloseMessage();
    WaitWhileTranslating();
    EXPECT_EQ(GetPaneText(*window.E2), "Translate Engine disabled, Please try again later.");
    EXPECT_EQ(window.E2->document()->begin().blockFormat().layoutDirection(), Qt::LeftToRight)
        << "the English error text reads left to right in the right-to-left pane";
    EXPECT_EQ(ReadClipboardText(), "before") << "AutoCopy copies nothing after a failure";
}

TEST_F(MainWindowTest, AFailedLongTextShowsItsSocketErrorOnOneLine)
{
    // A port that was just free refuses the connection.
    quint16 closedPort = 0;
    {
        const TFakeEndpoint probe;
        closedPort = probe.Port();
    }
    TfrmMain& window = Open();
    ServiceBaseUrl = QStringLiteral("http://127.0.0.1:%1").arg(closedPort);
    Translate(QString(1960, u'x'));
    EXPECT_EQ(GetPaneText(*window.E2), "Socket Error # 10061 Connection refused.");
    EXPECT_TRUE(FServices->OpenMessages.isEmpty());
}

TEST_F(MainWindowTest, FailedPostShowsTheEngineTextWithoutABoxOrCopy)
{
    TFakeEndpoint endpoint;
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    WriteSettings("[General]\nAutoCopy=1\n[Connection]\nClients=at\n");
    TfrmMain& window = Open(&endpoint);
    WriteClipboardText(QStringLiteral("before"));
    Translate(QString(1960, u'x'));
    EXPECT_EQ(GetPaneText(*window.E2), "Translate Engine disabled, Please try again later.");
    EXPECT_TRUE(FServices->OpenMessages.isEmpty());
    EXPECT_EQ(ReadClipboardText(), "before");
    EXPECT_TRUE(window.btnTrans->isEnabled());
}

TEST_F(MainWindowTest, ClosingDuringATranslationCancelsIt)
{
    TFakeEndpoint endpoint;
    endpoint.Enqueue({TScriptedAnswer::TKind::Silent});
    TfrmMain& window = Open(&endpoint);
    SetPaneText(*window.E1, QStringLiteral("Hello"));
    window.btnTrans->click();
    while (endpoint.Requests().empty()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    window.close();
    FWindow.reset();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(FServices->Errors.isEmpty());
}

// Three paragraphs of 3,999 characters each: a text that goes in three pieces.
const QString ThreeParagraphs = QStringLiteral("one ").repeated(1000).trimmed() + QStringLiteral("\r\n") +
                                QStringLiteral("two ").repeated(1000).trimmed() + QStringLiteral("\r\n") +
                                QStringLiteral("six ").repeated(1000).trimmed();

QByteArray TranslationAnswer(const QByteArray& translation)
{
    const QByteArray body = "[[[\"" + translation + "\",\"x\",null,null,10]],null,\"en\"]";
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

TEST_F(MainWindowTest, LongTextShowsThePieceInFlightAndThenTheWholeTranslation)
{
    std::atomic<bool> holdBack{true};
    TFakeEndpoint endpoint(
        {.RefusedClients = {}, .OnRequest = [&holdBack](const TRecordedRequest&, int number) {
             QElapsedTimer guard;
             guard.start();
             while (number == 2 && holdBack && guard.elapsed() < 20000) {
                 QThread::msleep(5);
             }
         }});
    WriteSettings("[General]\nAutoCopy=1\n[Connection]\nClients=at\n");
    TfrmMain& window = Open(&endpoint);
    SetPaneText(*window.E1, ThreeParagraphs);
    window.btnTrans->click();
    const QString waiting = QStringLiteral("Translation, please wait ... (2/3)");
    QElapsedTimer guard;
    guard.start();
    while (GetPaneText(*window.E2) != waiting && guard.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(GetPaneText(*window.E2), waiting);
    EXPECT_TRUE(window.IsTranslating());
    holdBack = false;
    WaitWhileTranslating();
    const QStringList paragraphs = ThreeParagraphs.split(QStringLiteral("\r\n"));
    const QString joined = QStringLiteral("ar: ") + paragraphs[0] + QStringLiteral("\r\nar: ") +
                           paragraphs[1] + QStringLiteral("\r\nar: ") + paragraphs[2];
    EXPECT_EQ(GetPaneText(*window.E2), joined);
    EXPECT_EQ(window.E2->document()->blockCount(), 3);
    EXPECT_EQ(ReadClipboardText(), joined);
    EXPECT_TRUE(window.E2->hasFocus() || QApplication::focusWidget() == window.E2);
}

TEST_F(MainWindowTest, FailureOfALaterPieceShowsItsTextAndNothingOfTheEarlierOnes)
{
    TFakeEndpoint endpoint;
    endpoint.Respond(TranslationAnswer("T1"));
    endpoint.Respond("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    WriteSettings("[General]\nAutoCopy=1\n[Connection]\nClients=at\n");
    TfrmMain& window = Open(&endpoint);
    WriteClipboardText(QStringLiteral("before"));
    Translate(ThreeParagraphs);
    EXPECT_EQ(GetPaneText(*window.E2), "Translate Engine disabled, Please try again later.");
    EXPECT_EQ(ReadClipboardText(), "before");
    EXPECT_EQ(endpoint.Requests().size(), 2u);
    EXPECT_TRUE(window.btnTrans->isEnabled());
    EXPECT_TRUE(FServices->OpenMessages.isEmpty());
}

TEST_F(MainWindowTest, ClosingDuringALaterPieceReturnsWithoutWaitingForIt)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    endpoint.Respond(TranslationAnswer("T1"));
    endpoint.Enqueue({TScriptedAnswer::TKind::Silent}); // never answers: only a cancel ends it
    TfrmMain& window = Open(&endpoint);
    SetPaneText(*window.E1, ThreeParagraphs);
    window.btnTrans->click();
    QElapsedTimer guard;
    guard.start();
    while (endpoint.Requests().size() < 2 && guard.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_EQ(endpoint.Requests().size(), 2u);
    window.close();
    FWindow.reset();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(endpoint.Requests().size(), 2u) << "no piece after the window closed";
    EXPECT_TRUE(FServices->Errors.isEmpty());
}

struct TPasteCase
{
    const char* Name;
    QString Clipboard;
    bool Automatic;
    int Tag;
    QString LastCopied;
    QString InputAfter;
    QString OutputAfter;
};

class PasteTest : public MainWindowTest, public ::testing::WithParamInterface<TPasteCase>
{
};

TEST_P(PasteTest, FollowsThePasteRules)
{
    const TPasteCase& c = GetParam();
    if (c.Automatic) {
        WriteSettings("[General]\nAutoPaste=1\n");
    }
    TfrmMain& window = Open();
    SetPaneText(*window.E1, QStringLiteral("input"));
    SetPaneText(*window.E2, QStringLiteral("output"));
    window.FLastCopiedText = c.LastCopied;
    WriteClipboardText(c.Clipboard);
    if (c.Automatic) {
        window.FormActivate();
    } else {
        (c.Tag == 0 ? window.btnPaste : window.btnPaste2)->click();
    }
    EXPECT_EQ(GetPaneText(*window.E1), c.InputAfter);
    EXPECT_EQ(GetPaneText(*window.E2), c.OutputAfter);
    EXPECT_EQ(window.FClipboardText, c.Clipboard);
}

INSTANTIATE_TEST_SUITE_P(
    Paste, PasteTest,
    ::testing::Values(TPasteCase{"InputTakesText", "new", false, 0, "", "new", "output"},
                      TPasteCase{"InputEmptiedByEmptyClipboard", "", false, 0, "", "", "output"},
                      TPasteCase{"OutputTakesText", "new", false, 1, "", "input", "new"},
                      TPasteCase{"OutputKeptOnEmptyClipboard", "", false, 1, "", "input", "output"},
                      TPasteCase{"AutomaticTakesNewText", "new", true, 0, "last", "new", "output"},
                      TPasteCase{"AutomaticSkipsOwnTranslation", "last", true, 0, "last", "input", "output"},
                      TPasteCase{"AutomaticSkipsEmptyClipboard", "", true, 0, "", "input", "output"}),
    [](const ::testing::TestParamInfo<TPasteCase>& info) { return std::string(info.param.Name); });

TEST_F(MainWindowTest, CopyCutClearAndSwapMoveWholePaneTexts)
{
    TfrmMain& window = Open();
    WriteClipboardText(QStringLiteral("old"));
    window.btnCopy2->click();
    EXPECT_EQ(ReadClipboardText(), "") << "copying an empty pane empties the clipboard";

    SetPaneText(*window.E1, QStringLiteral("one\r\ntwo"));
    window.btnSwap->click();
    EXPECT_EQ(GetPaneText(*window.E1), "");
    EXPECT_EQ(GetPaneText(*window.E2), "one\r\ntwo");
    EXPECT_TRUE(window.rbEngToChn->isChecked());

    // The context menu acts on the pane it was opened over.
    window.FLastCopiedText = QStringLiteral("kept");
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), window.E2->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(window.E2->viewport(), &menuEvent);
    window.pmTrans->hide();
    EXPECT_EQ(window.pmTrans->property("Tag").toInt(), 1);
    window.pmTrans->findChild<QAction*>(QStringLiteral("Cut1"))->trigger();
    EXPECT_EQ(GetPaneText(*window.E2), "");
    EXPECT_EQ(ReadClipboardText(), "one\r\ntwo");
    EXPECT_EQ(window.FLastCopiedText, "kept");

    SetPaneText(*window.E1, QStringLiteral("x"));
    window.btnClear->click();
    EXPECT_EQ(GetPaneText(*window.E1), "");
    EXPECT_EQ(ReadClipboardText(), "one\r\ntwo");
}

TEST_F(MainWindowTest, OpenAppendsAFileAndSaveChoosesTheFormatByExtension)
{
    TfrmMain& window = Open();
    const QString textFile = FDir.filePath(QStringLiteral("in.txt"));
    QFile in(textFile);
    ASSERT_TRUE(in.open(QIODevice::WriteOnly));
    in.write("a\r\nb\nc");
    in.close();
    SetPaneText(*window.E1, QStringLiteral("x"));
    FServices->FileAnswers = {textFile};
    window.btnOpen->click();
    EXPECT_EQ(GetPaneText(*window.E1), "x\r\na\r\nb\r\nc");
    // One new paragraph after the text, the file's lines as lines inside it.
    ASSERT_EQ(window.E1->ItemCount(), 4);
    EXPECT_TRUE(window.E1->ItemInfo(1).NewParagraph);
    EXPECT_TRUE(window.E1->ItemInfo(2).NewLine);
    EXPECT_TRUE(window.E1->ItemInfo(3).NewLine);

    window.btnSave2->click();
    EXPECT_EQ(FServices->FileDialogs, 1) << "an empty pane is not saved";

    const QString txt = FDir.filePath(QStringLiteral("notes.Txt"));
    const QString htm = FDir.filePath(QStringLiteral("notes.htm"));
    SetPaneText(*window.E2, QStringLiteral("a < b & c"));
    FServices->FileAnswers = {txt, htm};
    window.btnSave2->click();
    window.btnSave2->click();
    QFile saved(txt);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("\xFF\xFE", 2) + QByteArray("a\0 \0<\0 \0b\0 \0&\0 \0c\0", 18));
    QFile html(htm);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const QByteArray page = html.readAll();
    EXPECT_TRUE(page.startsWith("<html><head><title>notes</title>\r\n")) << page.constData();
    EXPECT_TRUE(page.contains("<div>a &lt; b &amp; c</div>")) << page.constData();
    EXPECT_EQ(FServices->SaveSuffixes, (QStringList{"txt", "htm"}))
        << "a name without a dot follows the chosen type";
    EXPECT_TRUE(FServices->Errors.isEmpty());
}

TEST_F(MainWindowTest, FailedOpenAndSaveAreReportedWithThePath)
{
    TfrmMain& window = Open();
    SetPaneText(*window.E1, QStringLiteral("kept"));
    const QString missing = FDir.filePath(QStringLiteral("missing.txt"));
    const QString noFolder = FDir.filePath(QStringLiteral("no/such/folder/notes.txt"));
    const QString folderAsFile = FDir.filePath(QStringLiteral("folder.htm"));
    ASSERT_TRUE(QDir(FDir.path()).mkdir(QStringLiteral("folder.htm")));

    FServices->FileAnswers = {missing, noFolder, folderAsFile};
    window.btnOpen->click();
    window.btnSave->click();
    window.btnSave->click();

    EXPECT_EQ(FServices->Errors,
              (QStringList{"Unable to read " + missing + ".", "Unable to write to " + noFolder + ".",
                           "Unable to write to " + folderAsFile + "."}));
    EXPECT_EQ(GetPaneText(*window.E1), "kept");
}

TEST_F(MainWindowTest, PrintsTheOutputPaneOnTheDefaultPrinter)
{
    TfrmMain& window = Open();
    const QString pdf = FDir.filePath(QStringLiteral("out.pdf"));
    QTest::mouseClick(window.btnPrint, Qt::LeftButton);
    EXPECT_EQ(FServices->Errors, QStringList{"There is no printer to print on."});

    FServices->PrinterFile = pdf;
    window.btnPrint->click();
    EXPECT_FALSE(QFile::exists(pdf)) << "an empty pane gives no page";

    SetPaneText(*window.E2, QStringList(200, QStringLiteral("سطر من الترجمة")).join(QStringLiteral("\r\n")));
    window.btnPrint->click();
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray bytes = printed.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    QByteArray title = "\xFE\xFF";
    for (const QChar c : QStringLiteral("Quembrik Translator Pro")) {
        title += '\0';
        title += char(c.unicode());
    }
    EXPECT_TRUE(bytes.contains(title)) << "the job title names the document";
}

TEST_F(MainWindowTest, LinksOpenTheMakersPages)
{
    TfrmMain& window = Open();
    for (const char* name : {"miWebSite", "miContactUs", "miTry"}) {
        window.pmHelp->findChild<QAction*>(QLatin1String(name))->trigger();
    }
    QTest::mouseClick(window.lbl1, Qt::LeftButton);
    ASSERT_EQ(FServices->Urls.size(), 4);
    EXPECT_EQ(FServices->Urls[1].toString(),
              "mailto: support@quembrik.example?subject=Question for Zorvanel Translator");
    EXPECT_TRUE(FServices->Urls[2].toString().contains("src=freeware"));
    EXPECT_EQ(FServices->Urls[3], FServices->Urls[2]);
}

} // namespace
