// The options dialog with the offscreen platform: the settings record into the controls, the
// defaults, the closes that are refused and the ones that save (the file compared as text), the
// keys that do not close it, its language file, and the main window's Options command.

#include "AppSettings.h"
#include "ApplicationEnvironment.h"
#include "HttpClient.h"
#include "IniFiles.h"
#include "SMLFormLangRes.h"
#include "SMLMsgLangRes.h"
#include "ScriptedServices.h"
#include "frm_Main.h"
#include "frm_Options.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace zorvanel::test;

ZORVANEL_QT_TEST_APPLICATION(TApplicationEnvironment);

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QString ShippedLanguageFile()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/English.ini");
}

// The keys of an INI text, in file order.
QStringList Keys(const QByteArray& text)
{
    QStringList keys;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            keys.append(QString::fromUtf8(line.left(equals)));
    }
    return keys;
}

// What a captioned control shows: a page its tab, a group box its title, the rest their text.
QString Caption(const TfrmOptions& dialog, const QString& name)
{
    auto* widget = dialog.findChild<QWidget*>(name);
    if (!widget)
        return QStringLiteral("<no %1>").arg(name);
    if (const int page = dialog.PageControl1->indexOf(widget); page >= 0)
        return dialog.PageControl1->tabText(page);
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return box->title();
    return widget->property("text").toString();
}

class OptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        SettingsFilePath = SettingsFile();
        // As the main window loads it from no file.
        AppSettings = TParams();
        AppSettings.NoProxy = true;
    }
    void TearDown() override { FDialog.reset(); }

    QString SettingsFile() const { return FDir.filePath(QStringLiteral("Zorvanel.ini")); }

    TfrmOptions& Open()
    {
        FDialog = std::make_unique<TfrmOptions>();
        FDialog->show();
        return *FDialog;
    }

    TfrmOptions& OpenActive()
    {
        TfrmOptions& dialog = Open();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        return dialog;
    }

    static QList<QLineEdit*> ProxyEdits(const TfrmOptions& dialog)
    {
        return {dialog.edtAddress, dialog.edtPort, dialog.edtUserName, dialog.edtPassword};
    }

    // The edits of a direct connection are read-only on the button face; those of a manual
    // proxy editable on the window colour. Enabled in both.
    static void ExpectProxyEditsEditable(const TfrmOptions& dialog, bool editable)
    {
        const QColor colour = QApplication::palette().color(editable ? QPalette::Base : QPalette::Button);
        for (const QLineEdit* edit : ProxyEdits(dialog)) {
            SCOPED_TRACE(edit->objectName().toStdString());
            EXPECT_TRUE(edit->isEnabled());
            EXPECT_EQ(edit->isReadOnly(), !editable);
            EXPECT_EQ(edit->palette().color(QPalette::Base), colour);
        }
    }

    QTemporaryDir FDir;
    TScriptedServicesScope FServices;
    std::unique_ptr<TfrmOptions> FDialog;
};

// --- Controls and loading ----------------------------------------------------------------------

TEST_F(OptionsTest, PlacesEveryControlWithItsEnglishCaption)
{
    TfrmOptions& dialog = Open();
    EXPECT_EQ(dialog.windowTitle(), "Options");
    EXPECT_EQ(dialog.minimumSize(), QSize(457, 283));
    EXPECT_EQ(dialog.maximumSize(), QSize(457, 283));
    EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.tsGeneral);
    EXPECT_FALSE(dialog.rgLang->isVisible());
    EXPECT_EQ(dialog.cmbLang->count(), 0);
    EXPECT_EQ(dialog.edtPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.edtPassword->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter), int('*'));
    EXPECT_EQ(dialog.font().family(), "Tahoma");
    EXPECT_EQ(dialog.font().pointSize(), 9);
    EXPECT_FALSE(dialog.btnOk->autoDefault() || dialog.btnOk->isDefault());
    EXPECT_FALSE(dialog.btnDefault->autoDefault() || dialog.btnDefault->isDefault());

    struct
    {
        const char* Name;
        const char* Parent;
        QRect Geometry;
        const char* Caption; // the design text, as "English.ini" has it too
    } const controls[] = {
        {"PageControl1", "frmOptions", {8, 14, 438, 226}, nullptr},
        {"tsGeneral", nullptr, {}, "General"},
        {"chkAutoPaste", "tsGeneral", {10, 12, 407, 17}, "Auto paste from clipboard in source language."},
        {"chkAutoCopy", "tsGeneral", {10, 35, 407, 17}, "Auto copy to clipboard in target language."},
        {"rgLang", "tsGeneral", {10, 67, 407, 55}, "Infterface language setting"},
        {"labLang", "rgLang", {12, 27, 187, 14}, "Please select a default Language :"},
        {"cmbLang", "rgLang", {253, 23, 136, 22}, nullptr},
        {"tsConnection", nullptr, {}, "Connection"},
        {"rgProxySettings", "tsConnection", {10, 7, 407, 178}, "Proxy Settings"},
        {"rbNoProxy", "rgProxySettings", {29, 32, 218, 17}, "No Proxy (direct connection)"},
        {"rbManuallyProxy", "rgProxySettings", {29, 68, 218, 17}, "Manually enter proxy settings"},
        {"labAddress", "rgProxySettings", {28, 103, 51, 14}, "Address :"},
        {"edtAddress", "rgProxySettings", {85, 100, 121, 22}, nullptr},
        {"labPort", "rgProxySettings", {240, 103, 31, 14}, "Port :"},
        {"edtPort", "rgProxySettings", {277, 100, 121, 22}, nullptr},
        {"labUserName", "rgProxySettings", {13, 140, 66, 14}, "User name :"},
        {"edtUserName", "rgProxySettings", {85, 136, 121, 22}, nullptr},
        {"labPassword", "rgProxySettings", {212, 140, 59, 14}, "Password :"},
        {"edtPassword", "rgProxySettings", {277, 136, 121, 22}, nullptr},
        {"btnDefault", "frmOptions", {12, 246, 75, 25}, "Default"},
        {"btnOk", "frmOptions", {365, 246, 75, 25}, "&OK"},
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.Name);
        const QString name = QString::fromLatin1(control.Name);
        const auto* widget = dialog.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr);
        if (control.Parent) {
            EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(control.Parent));
            EXPECT_EQ(widget->geometry(), control.Geometry);
        }
        if (control.Caption) {
            EXPECT_EQ(Caption(dialog, name), QString::fromUtf8(control.Caption));
        }
    }
    EXPECT_TRUE(dialog.labAddress->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(dialog.labUserName->alignment().testFlag(Qt::AlignRight));
    EXPECT_EQ(dialog.smlMsgLangRes1->MsgList().Lines(), QStringList{"strInfomation=Information"});
}

TEST_F(OptionsTest, ShowsTheRecordWithTheStoredProxyOnlyForAManualProxy)
{
    for (const bool noProxy : {true, false}) {
        SCOPED_TRACE(noProxy ? "direct connection" : "manual proxy");
        AppSettings.AutoPaste = noProxy;
        AppSettings.AutoCopy = !noProxy;
        AppSettings.DisplayLanguage = QStringLiteral("english");
        AppSettings.NoProxy = noProxy;
        AppSettings.Address = QStringLiteral("proxy.test");
        AppSettings.Port = QStringLiteral("3128");
        AppSettings.UserName = QStringLiteral("me");
        AppSettings.Password = QStringLiteral("secret");

        TfrmOptions& dialog = Open();

        EXPECT_EQ(dialog.chkAutoPaste->isChecked(), noProxy);
        EXPECT_EQ(dialog.chkAutoCopy->isChecked(), !noProxy);
        EXPECT_EQ(dialog.cmbLang->currentIndex(), -1);
        EXPECT_EQ(dialog.rbNoProxy->isChecked(), noProxy);
        EXPECT_EQ(dialog.rbManuallyProxy->isChecked(), !noProxy);
        const QStringList shown =
            noProxy ? QStringList{"", "", "", ""} : QStringList{"proxy.test", "3128", "me", "secret"};
        QStringList texts;
        for (const QLineEdit* edit : ProxyEdits(dialog))
            texts.append(edit->text());
        EXPECT_EQ(texts, shown);
        ExpectProxyEditsEditable(dialog, !noProxy);
    }
    EXPECT_FALSE(QFile::exists(SettingsFile())) << "showing writes nothing";
}

TEST_F(OptionsTest, RadioButtonsSwitchTheProxyEditsAndKeepTheirText)
{
    TfrmOptions& dialog = Open();
    QTest::mouseClick(dialog.rbManuallyProxy, Qt::LeftButton);
    ExpectProxyEditsEditable(dialog, true);
    dialog.edtAddress->setText(QStringLiteral("proxy.test"));
    QTest::mouseClick(dialog.rbNoProxy, Qt::LeftButton);
    ExpectProxyEditsEditable(dialog, false);
    EXPECT_EQ(dialog.edtAddress->text(), "proxy.test");
}

TEST_F(OptionsTest, DefaultSwitchesToADirectConnectionKeepsTheProxyTextAndWritesNothing)
{
    AppSettings.AutoPaste = true;
    AppSettings.AutoCopy = true;
    AppSettings.NoProxy = false;
    AppSettings.Address = QStringLiteral("proxy.test");
    AppSettings.Port = QStringLiteral("3128");
    TfrmOptions& dialog = Open();

    QTest::mouseClick(dialog.btnDefault, Qt::LeftButton);

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.chkAutoPaste->isChecked());
    EXPECT_FALSE(dialog.chkAutoCopy->isChecked());
    EXPECT_TRUE(dialog.rbNoProxy->isChecked());
    EXPECT_FALSE(dialog.rbManuallyProxy->isChecked());
    ExpectProxyEditsEditable(dialog, false);
    EXPECT_EQ(dialog.edtAddress->text(), "proxy.test");
    EXPECT_FALSE(QFile::exists(SettingsFile()));

    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    EXPECT_EQ(IniReadString(SettingsFile(), "Connection", "NoProxy"), "1");
    EXPECT_EQ(IniReadString(SettingsFile(), "Connection", "Address"), "proxy.test");
    EXPECT_EQ(IniReadString(SettingsFile(), "Connection", "Port"), "3128");
}

// --- Closing -----------------------------------------------------------------------------------

// The two ways a user closes the dialog: its OK button and the title bar's close box (which the
// window system reports to the window, not to the widget).
struct TCloseWay
{
    const char* Name;
    std::function<void(TfrmOptions&)> Close;
};

const TCloseWay CloseWays[] = {
    {"OK", [](TfrmOptions& dialog) { QTest::mouseClick(dialog.btnOk, Qt::LeftButton); }},
    {"close box", [](TfrmOptions& dialog) { dialog.windowHandle()->close(); }},
};

TEST_F(OptionsTest, AManualProxyWithoutAddressOrPortKeepsTheDialogOpenAtTheEmptyField)
{
    struct
    {
        const char* Address;
        const char* Port;
        const char* EmptyEdit;
    } const cases[] = {
        {"", "3128", "edtAddress"},
        {"proxy.test", "", "edtPort"},
        {"", "", "edtAddress"},
    };
    for (const auto& c : cases) {
        for (const TCloseWay& way : CloseWays) {
            SCOPED_TRACE(std::string(c.EmptyEdit) + " by " + way.Name);
            TfrmOptions& dialog = OpenActive();
            QTest::mouseClick(dialog.rbManuallyProxy, Qt::LeftButton);
            dialog.edtAddress->setText(QString::fromLatin1(c.Address));
            dialog.edtPort->setText(QString::fromLatin1(c.Port));

            way.Close(dialog);

            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.PageControl1->currentWidget(), dialog.tsConnection);
            const QWidget* focus = dialog.focusWidget();
            ASSERT_NE(focus, nullptr);
            EXPECT_EQ(focus->objectName(), QString::fromLatin1(c.EmptyEdit));
            EXPECT_FALSE(QFile::exists(SettingsFile())) << "nothing is written";
            EXPECT_TRUE(FServices->Errors.isEmpty() && FServices->Messages.isEmpty()) << "nothing is said";
        }
    }
    // Any text passes, a port that is no number too.
    FDialog->edtAddress->setText(QStringLiteral("proxy.test"));
    FDialog->edtPort->setText(QStringLiteral("8o8o"));
    QTest::mouseClick(FDialog->btnOk, Qt::LeftButton);
    EXPECT_FALSE(FDialog->isVisible());
    EXPECT_EQ(IniReadString(SettingsFile(), "Connection", "Port"), "8o8o");
}

TEST_F(OptionsTest, OkWritesEveryKeyInOrderIntoTheFileItCreates)
{
    AppSettings.NoProxy = false;
    AppSettings.DisplayLanguage = QStringLiteral("English");
    TfrmOptions& dialog = Open();
    QTest::mouseClick(dialog.chkAutoCopy, Qt::LeftButton);
    dialog.edtAddress->setText(QStringLiteral("proxy.test"));
    dialog.edtPort->setText(QStringLiteral("8o8o"));
    dialog.edtUserName->setText(QStringLiteral("me"));
    dialog.edtPassword->setText(QStringLiteral(" p=w \"x\""));

    QTest::mouseClick(dialog.btnOk, Qt::LeftButton);

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ReadAll(SettingsFile()), "[General]\r\n"
                                       "Translator=0\r\n"
                                       "AutoPaste=0\r\n"
                                       "AutoCopy=1\r\n"
                                       "DisplayLanguage=\r\n"
                                       "[Connection]\r\n"
                                       "NoProxy=0\r\n"
                                       "Address=proxy.test\r\n"
                                       "Port=8o8o\r\n"
                                       "UserName=me\r\n"
                                       "Password= p=w \"x\"\r\n");
    EXPECT_EQ(AppSettings.AutoCopy, false) << "the record is the main window's to reload";
}

TEST_F(OptionsTest, TheCloseBoxSavesTooAndADirectConnectionDropsTheStoredProxy)
{
    WriteAll(SettingsFile(), "[General]\r\nDirection=1\r\nTranslator=7\r\n"
                             "[Connection]\r\nNoProxy=1\r\nAddress=old.proxy\r\nPort=8080\r\n");
    AppSettings.AutoPaste = true;
    TfrmOptions& dialog = Open();

    dialog.windowHandle()->close();

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(ReadAll(SettingsFile()), "[General]\r\n"
                                       "Direction=1\r\n"
                                       "Translator=0\r\n"
                                       "AutoPaste=1\r\n"
                                       "AutoCopy=0\r\n"
                                       "DisplayLanguage=\r\n"
                                       "[Connection]\r\n"
                                       "NoProxy=1\r\n"
                                       "Address=\r\n"
                                       "Port=\r\n"
                                       "UserName=\r\n"
                                       "Password=\r\n");
}

TEST_F(OptionsTest, EscapeAndEnterCloseNothingButEnterPressesAFocusedButton)
{
    AppSettings.NoProxy = false;
    AppSettings.Address = QStringLiteral("proxy.test");
    AppSettings.Port = QStringLiteral("3128");
    TfrmOptions& dialog = OpenActive();
    for (QWidget* focus :
         {static_cast<QWidget*>(dialog.chkAutoPaste), static_cast<QWidget*>(dialog.edtAddress),
          static_cast<QWidget*>(dialog.btnDefault)}) {
        SCOPED_TRACE(focus->objectName().toStdString());
        dialog.PageControl1->setCurrentWidget(focus == dialog.edtAddress ? dialog.tsConnection
                                                                         : dialog.tsGeneral);
        focus->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), focus);
        QTest::keyClick(focus, Qt::Key_Escape);
        if (focus != dialog.btnDefault)
            QTest::keyClick(focus, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(QFile::exists(SettingsFile()));
    }
    EXPECT_TRUE(dialog.rbManuallyProxy->isChecked()) << "Escape and Enter pressed no button";

    QTest::keyClick(dialog.btnDefault, Qt::Key_Return);
    EXPECT_TRUE(dialog.rbNoProxy->isChecked());
    dialog.btnOk->setFocus();
    QTest::keyClick(dialog.btnOk, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(IniReadString(SettingsFile(), "Connection", "NoProxy"), "1");
}

TEST_F(OptionsTest, TabVisitsThePageControlThePagesControlsThenDefaultAndOk)
{
    AppSettings.NoProxy = false;
    TfrmOptions& dialog = OpenActive();
    const auto tabRound = [&](QWidget* page) {
        dialog.PageControl1->setCurrentWidget(page);
        dialog.PageControl1->setFocus();
        QStringList names;
        for (int i = 0; i < 8 && QApplication::focusWidget() != dialog.btnOk; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            names.append(QApplication::focusWidget()->objectName());
        }
        return names;
    };
    EXPECT_EQ(tabRound(dialog.tsGeneral),
              QStringList({"chkAutoPaste", "chkAutoCopy", "btnDefault", "btnOk"}));
    // Of the two radio buttons only the selected one is a stop.
    const QStringList afterRadio = {"edtAddress",  "edtPort",    "edtUserName",
                                    "edtPassword", "btnDefault", "btnOk"};
    EXPECT_EQ(tabRound(dialog.tsConnection), QStringList{"rbManuallyProxy"} + afterRadio);
    dialog.rbManuallyProxy->setFocus();
    QTest::keyClick(dialog.rbManuallyProxy, Qt::Key_Up);
    EXPECT_TRUE(dialog.rbNoProxy->isChecked()) << "the arrow keys select the other button";
    EXPECT_EQ(tabRound(dialog.tsConnection), QStringList{"rbNoProxy"} + afterRadio);
}

// --- The language file -------------------------------------------------------------------------

TEST_F(OptionsTest, EnglishIniHoldsExactlyTheKeysTheDialogReadsInTheirOrder)
{
    TfrmOptions& dialog = Open();
    EXPECT_EQ(dialog.smlFormLangRes1->ResolvedFileName(), ShippedLanguageFile());
    EXPECT_EQ(dialog.smlMsgLangRes1->ResolvedFileName(), ShippedLanguageFile());

    // Pointed at an empty file and let write back what it misses, the form translator lists every
    // key it reads.
    const QString probe = FDir.filePath(QStringLiteral("probe.ini"));
    dialog.smlFormLangRes1->SetLangFileName(
        QDir(QCoreApplication::applicationDirPath()).relativeFilePath(probe));
    dialog.smlFormLangRes1->SetAutoCreateMode(true);
    const QStringList read = Keys(ReadAll(probe));
    EXPECT_EQ(read, QStringList({"frmOptions_FontName", "frmOptions_FontSize", "frmOptions_FontCharset",
                                 "tsGeneral_Caption", "chkAutoCopy_Caption", "chkAutoPaste_Caption",
                                 "rgLang_Caption", "labLang_Caption", "tsConnection_Caption",
                                 "rgProxySettings_Caption", "labAddress_Caption", "labPort_Caption",
                                 "labUserName_Caption", "labPassword_Caption", "rbNoProxy_Caption",
                                 "rbManuallyProxy_Caption", "btnOk_Caption", "btnDefault_Caption"}));

    const QByteArray shipped = ReadAll(ShippedLanguageFile());
    ASSERT_TRUE(shipped.startsWith("[TfrmOptions]"));
    EXPECT_EQ(Keys(shipped), read + QStringList{"strInfomation"});
    EXPECT_EQ(IniReadString(ShippedLanguageFile(), "TfrmOptions", "strInfomation"), "Information");
}

TEST_F(OptionsTest, AnEditedLanguageFileGivesTheDialogItsCaptionsFontAndMessage)
{
    // A copy of the shipped file with every value changed.
    QByteArray edited;
    for (const QByteArray& line : ReadAll(ShippedLanguageFile()).split('\n')) {
        if (line.startsWith("frmOptions_FontSize="))
            edited += "frmOptions_FontSize=11\n";
        else if (line.startsWith("strInfomation="))
            edited += "strInfomation=Note\n";
        else if (line.contains("_Caption="))
            edited +=
                line.left(line.indexOf('=') + 1) + "< Edited " + line.mid(line.indexOf('=') + 1) + ">\n";
        else
            edited += line + '\n';
    }
    const QString copy = FDir.filePath(QStringLiteral("English.ini"));
    WriteAll(copy, edited);

    TfrmOptions& dialog = Open();
    const QString relative = QDir(QCoreApplication::applicationDirPath()).relativeFilePath(copy);
    dialog.smlFormLangRes1->SetLangFileName(relative);
    dialog.smlMsgLangRes1->SetLangFileName(relative);

    for (const QString& key : Keys(edited)) {
        if (!key.endsWith(QLatin1String("_Caption")))
            continue;
        const QString name = key.chopped(QStringLiteral("_Caption").size());
        EXPECT_TRUE(Caption(dialog, name).startsWith(QLatin1String(" Edited "))) << name.toStdString();
    }
    EXPECT_EQ(dialog.btnOk->text(), " Edited &OK");
    EXPECT_EQ(dialog.windowTitle(), "Options") << "the dialog's own caption is not translated";
    EXPECT_EQ(dialog.font().pointSize(), 11);
    EXPECT_EQ(dialog.btnOk->font().pointSize(), 11);
    EXPECT_EQ(dialog.smlMsgLangRes1->MsgList().Values(QStringLiteral("strInfomation")), "Note");
}

// --- The main window's Options command -----------------------------------------------------------

class OptionsCommandTest : public OptionsTest
{
protected:
    TfrmMain& OpenMain()
    {
        FWindow = std::make_unique<TfrmMain>();
        SettingsFilePath = SettingsFile();
        FWindow->show();
        QCoreApplication::processEvents();
        return *FWindow;
    }
    void TearDown() override
    {
        FWindow.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        OptionsTest::TearDown();
    }

    // Chooses Options from the help menu as the user does, through the event loop so that errors
    // reach the error box, and plays script on the modal dialog. Returns when the command is done.
    void ChooseOptions(const std::function<void(TfrmOptions&)>& script)
    {
        bool played = false;
        std::function<void()> play = [&] {
            auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(10, FWindow.get(), play);
                return;
            }
            played = true;
            script(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the script left the dialog open";
                dialog->hide();
            }
        };
        QTimer::singleShot(0, FWindow.get(), play);
        QAction* item = FWindow->pmHelp->findChild<QAction*>(QStringLiteral("miOptions"));
        QMetaObject::invokeMethod(item, &QAction::trigger, Qt::QueuedConnection);
        QElapsedTimer guard;
        guard.start();
        while (!played && guard.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(played) << "the Options command showed no dialog";
        QCoreApplication::processEvents();
    }

    static void ExpectNoOptionsDialogLeft()
    {
        for (const QWidget* widget : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<const TfrmOptions*>(widget), nullptr) << "the dialog is freed";
    }

    std::unique_ptr<TfrmMain> FWindow;
};

TEST_F(OptionsCommandTest, ReloadsTheWholeFileAndAppliesTheProxyAfterTheDialogCloses)
{
    TfrmMain& window = OpenMain();
    ASSERT_TRUE(window.rbEngToChn->isChecked());

    ChooseOptions([&](TfrmOptions& dialog) {
        EXPECT_TRUE(dialog.rbNoProxy->isChecked());
        QTest::mouseClick(dialog.chkAutoPaste, Qt::LeftButton);
        QTest::mouseClick(dialog.rbManuallyProxy, Qt::LeftButton);
        dialog.edtAddress->setText(QStringLiteral("proxy.test"));
        dialog.edtPort->setText(QStringLiteral("3128"));
        dialog.edtUserName->setText(QStringLiteral("me"));
        dialog.edtPassword->setText(QStringLiteral("secret"));
        // Changed by hand while the dialog is open: taken all the same.
        IniWriteInteger(SettingsFile(), "General", "Direction", 1);
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    });

    EXPECT_TRUE(FServices->Errors.isEmpty()) << FServices->Errors.join(u'|').toStdString();
    EXPECT_TRUE(AppSettings.AutoPaste);
    EXPECT_FALSE(AppSettings.NoProxy);
    EXPECT_TRUE(window.rbChnToEng->isChecked());
    EXPECT_EQ(window.labFromLang->text(), "Arabic");
    const TProxyParams proxy = window.HTTP->Proxy();
    EXPECT_EQ(proxy.Server, "proxy.test");
    EXPECT_EQ(proxy.Port, 3128);
    EXPECT_EQ(proxy.UserName, "me");
    EXPECT_EQ(proxy.Password, "secret");
    ExpectNoOptionsDialogLeft();

    // The next opening shows what the file now holds, and a direct connection clears the proxy.
    ChooseOptions([&](TfrmOptions& dialog) {
        EXPECT_EQ(dialog.edtAddress->text(), "proxy.test");
        QTest::mouseClick(dialog.rbNoProxy, Qt::LeftButton);
        dialog.windowHandle()->close();
    });
    EXPECT_EQ(window.HTTP->Proxy().Server, "");
}

TEST_F(OptionsCommandTest, APortThatIsNoNumberReachesTheErrorBoxAfterTheDialogIsGone)
{
    TfrmMain& window = OpenMain();
    ChooseOptions([&](TfrmOptions& dialog) {
        QTest::mouseClick(dialog.rbManuallyProxy, Qt::LeftButton);
        dialog.edtAddress->setText(QStringLiteral("proxy.test"));
        dialog.edtPort->setText(QStringLiteral("8o8o"));
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
        EXPECT_TRUE(FServices->Errors.isEmpty()) << "the dialog saves the port as typed";
    });
    EXPECT_EQ(FServices->Errors, QStringList{"'8o8o' is not a valid integer value."});
    EXPECT_EQ(AppSettings.Port, "8o8o");
    EXPECT_EQ(window.HTTP->Proxy().Server, "") << "nothing of a proxy with a bad port is applied";
    EXPECT_TRUE(window.isVisible());
    ExpectNoOptionsDialogLeft();
}

TEST_F(OptionsCommandTest, AFileThatCannotBeWrittenKeepsTheDialogOpenWithTheErrorBox)
{
    OpenMain();
    // A folder in the file's place refuses every write.
    const QString folder = FDir.filePath(QStringLiteral("Folder.ini"));
    ASSERT_TRUE(QDir().mkpath(folder));
    SettingsFilePath = folder;

    ChooseOptions([&](TfrmOptions& dialog) {
        QTest::mouseClick(dialog.chkAutoCopy, Qt::LeftButton);
        for (const TCloseWay& way : CloseWays) {
            SCOPED_TRACE(way.Name);
            FServices->Errors.clear();
            way.Close(dialog);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(FServices->Errors, QStringList{QStringLiteral("Unable to write to %1.").arg(folder)});
            EXPECT_TRUE(dialog.chkAutoCopy->isChecked()) << "the controls are unchanged";
        }
        SettingsFilePath = SettingsFile();
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    });

    EXPECT_EQ(FServices->Errors.size(), 1);
    EXPECT_TRUE(AppSettings.AutoCopy);
    ExpectNoOptionsDialogLeft();
}

} // namespace
