// The window program's pieces that need no bus: its command line, the bus name each copy
// takes, the keys the global shortcut can grab, and the order in which requests from outside
// reach the window.

#include "AppSettings.h"
#include "ApplicationEnvironment.h"
#include "FakeEndpoint.h"
#include "GlobalShortcut.h"
#include "MainWindowFixture.h"
#include "PaneText.h"
#include "RequestHeaders.h"
#include "RichPane.h"
#include "ScriptedServices.h"
#include "SingleWindow.h"
#include "TranslatorService.h"
#include "WindowOptions.h"
#include "frm_Main.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace zorvanel::test;

ZORVANEL_QT_TEST_APPLICATION(TApplicationEnvironment);

namespace {

struct TOptionsCase
{
    QStringList Arguments;
    bool Valid;
    TWindowRequest::TKind Kind;
    QString Text;
    bool Explicit;
};

TEST(WindowOptions, ReadsEachFormOfTheUsageAndRefusesEverythingElse)
{
    const std::vector<TOptionsCase> cases = {
        {{}, true, TWindowRequest::Show, {}, false},
        {{"--show"}, true, TWindowRequest::Show, {}, true},
        {{"--translate", "Hello world"}, true, TWindowRequest::TranslateText, "Hello world", true},
        {{"--translate=a b"}, true, TWindowRequest::TranslateText, "a b", true},
        {{"--translate", ""}, true, TWindowRequest::TranslateText, "", true},
        {{"--translate-clipboard"}, true, TWindowRequest::TranslateClipboard, {}, true},
        {{"--translate-selection"}, true, TWindowRequest::TranslateSelection, {}, true},
        {{"--translate"}, false, {}, {}, false},
        {{"--bogus"}, false, {}, {}, false},
        {{"-x"}, false, {}, {}, false},
        {{"file.txt"}, false, {}, {}, false},
        {{"--show", "--translate-clipboard"}, false, {}, {}, false},
        {{"--translate", "a", "--translate", "b"}, false, {}, {}, false},
    };
    for (const TOptionsCase& c : cases) {
        const TWindowOptions options = ParseWindowOptions(c.Arguments);
        const std::string name = c.Arguments.join(u' ').toStdString();
        EXPECT_EQ(options.Error.isEmpty(), c.Valid) << name << ": " << options.Error.toStdString();
        if (c.Valid) {
            EXPECT_EQ(options.Request.Kind, c.Kind) << name;
            EXPECT_EQ(options.Request.Text, c.Text) << name;
            EXPECT_EQ(options.Explicit, c.Explicit) << name;
        }
    }
    EXPECT_TRUE(ParseWindowOptions({"--help"}).Help);
    EXPECT_TRUE(ParseWindowOptions({"-h"}).Help);
    EXPECT_TRUE(ParseWindowOptions({"--version"}).Version);
    EXPECT_TRUE(WindowHelpText().startsWith(WindowUsageLine()));
}

TEST(TranslatorServiceName, TheInstalledCopyHasTheIdAndEachPortableCopyItsOwnValidName)
{
    QTemporaryDir one;
    QTemporaryDir two;
    const QString installed =
        TranslatorServiceName(QStringLiteral("/home/u/.config/zorvanel/Zorvanel.ini"), one.path());
    EXPECT_EQ(installed, "org.zorvanel.Translator");

    const QString first = TranslatorServiceName(one.filePath(QStringLiteral("Zorvanel.ini")), one.path());
    const QString second = TranslatorServiceName(two.filePath(QStringLiteral("Zorvanel.ini")), two.path());
    EXPECT_NE(first, second);
    EXPECT_EQ(first, TranslatorServiceName(one.filePath(QStringLiteral("Zorvanel.ini")),
                                           one.path() + QStringLiteral("/.")));
    const QRegularExpression busName(
        QStringLiteral("^org\\.zorvanel\\.Translator\\.[A-Za-z_][A-Za-z0-9_]*$"));
    EXPECT_TRUE(busName.match(first).hasMatch()) << first.toStdString();
    EXPECT_LE(first.size(), 255);
}

TEST(GlobalShortcutKeys, NamesTheKeysXKnowsWithTheirModifiers)
{
    struct TKeyCase
    {
        const char* Text;
        uint32_t KeySym;
        uint16_t Modifiers;
    };
    const TKeyCase cases[] = {
        {"Ctrl+Alt+E", 'e', 0x4 | 0x8}, {"Shift+Meta+F12", 0xffc9, 0x1 | 0x40}, {"Ctrl+5", '5', 0x4},
        {"Alt+Space", ' ', 0x8},        {"Ctrl+Alt+PgDown", 0xff56, 0x4 | 0x8},
    };
    for (const TKeyCase& c : cases) {
        const std::optional<TX11Key> key = X11KeyOf(QKeySequence::fromString(QString::fromLatin1(c.Text)));
        ASSERT_TRUE(key) << c.Text;
        EXPECT_EQ(key->KeySym, c.KeySym) << c.Text;
        EXPECT_EQ(key->Modifiers, c.Modifiers) << c.Text;
    }
    EXPECT_FALSE(X11KeyOf(QKeySequence()));
    EXPECT_FALSE(X11KeyOf(QKeySequence(Qt::CTRL | Qt::Key_VolumeUp)));
}

TEST(SelectionShortcut, IsCtrlAltEUnlessTheSettingsNameAnotherOrNone)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Zorvanel.ini"));
    EXPECT_EQ(SelectionShortcutFrom(file), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));
    const auto write = [&](const QByteArray& text) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    };
    write("[General]\r\nHotkeySelection=Meta+Shift+T\r\n");
    EXPECT_EQ(SelectionShortcutFrom(file), QKeySequence(Qt::META | Qt::SHIFT | Qt::Key_T));
    write("[General]\r\nHotkeySelection=\r\n");
    EXPECT_TRUE(SelectionShortcutFrom(file).isEmpty());
}

class TranslatorServiceTest : public TMainWindowTest
{
protected:
    void WaitUntil(const std::function<bool()>& done)
    {
        QElapsedTimer guard;
        guard.start();
        while (!done() && guard.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_TRUE(done());
    }
};

TEST_F(TranslatorServiceTest, ACallDuringATranslationWaitsAndANewerOneReplacesIt)
{
    TFakeEndpoint endpoint({.RefusedClients = {}});
    TfrmMain& window = Open(&endpoint);
    auto* service = new TTranslatorService(window);

    service->TranslateText(QStringLiteral("Hello world"));
    EXPECT_TRUE(service->Busy());
    EXPECT_EQ(GetPaneText(*window.E1), "Hello world");
    service->TranslateText(QStringLiteral("kept, then replaced"));
    service->TranslateText(QStringLiteral("Good morning"));
    EXPECT_EQ(GetPaneText(*window.E1), "Hello world") << "the running translation keeps its text";

    WaitUntil([&] { return endpoint.Requests().size() == 2 && !service->Busy(); });
    EXPECT_EQ(GetPaneText(*window.E1), "Good morning");
    EXPECT_EQ(endpoint.Requests().size(), 2u) << "the replaced call never went out";
    EXPECT_TRUE(window.btnTrans->isEnabled());

    // An empty text only shows the window.
    window.hide();
    service->TranslateText(QString());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(GetPaneText(*window.E1), "Good morning");
    EXPECT_EQ(endpoint.Requests().size(), 2u);
}

} // namespace
