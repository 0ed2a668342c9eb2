// The history window with the offscreen platform: opened from the main window, searched, an
// entry put back into the panes, entries removed, the history cleared and turned off; and each
// translation of the window kept.

#include "AppSettings.h"
#include "ApplicationEnvironment.h"
#include "FakeEndpoint.h"
#include "HistoryStore.h"
#include "IniFiles.h"
#include "MainWindowFixture.h"
#include "PaneText.h"
#include "RequestHeaders.h"
#include "RichPane.h"
#include "ScriptedServices.h"
#include "frm_History.h"
#include "frm_Main.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace zorvanel::test;

ZORVANEL_QT_TEST_APPLICATION(TApplicationEnvironment);

namespace {

class HistoryWindowTest : public TMainWindowTest
{
protected:
    void Keep(int direction, const QString& source, const QString& translation)
    {
        THistoryStore store(HistoryFile());
        ASSERT_TRUE(store.Add({0, {}, direction, source, translation, QStringLiteral("gtx")}))
            << store.AddError().toStdString();
        QTest::qWait(2); // distinct times, so that the order is the order of adding
    }

    TfrmHistory& OpenHistory(TfrmMain& window)
    {
        QTest::keyClick(window.E1, Qt::Key_H, Qt::ControlModifier);
        EXPECT_NE(window.HistoryWindow(), nullptr);
        return *window.HistoryWindow();
    }

    static QStringList Sources(const TfrmHistory& history)
    {
        QStringList sources;
        for (const THistoryEntry& entry : history.Entries()) {
            sources.append(entry.Source);
        }
        return sources;
    }
};

TEST_F(HistoryWindowTest, CtrlHAndTheLastMenuItemOpenOneWindowNewestFirst)
{
    Keep(0, QStringLiteral("Hello world"), QString::fromUtf8("مرحبا بالعالم"));
    Keep(1, QString::fromUtf8("صباح الخير"), QStringLiteral("Good morning"));
    TfrmMain& window = Open();

    const QList<QAction*> items = window.pmHelp->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_TRUE(items[items.size() - 2]->isSeparator());
    EXPECT_EQ(items.last()->text(), "History...");
    EXPECT_EQ(items.last()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));

    TfrmHistory& history = OpenHistory(window);
    EXPECT_TRUE(history.isVisible());
    EXPECT_FALSE(history.isModal());
    items.last()->trigger();
    EXPECT_EQ(window.HistoryWindow(), &history) << "one history window at a time";
    EXPECT_EQ(window.findChildren<TfrmHistory*>().size(), 1);

    EXPECT_EQ(Sources(history), (QStringList{QString::fromUtf8("صباح الخير"), "Hello world"}));
    QTreeWidgetItem* arabic = history.lvEntries->topLevelItem(0);
    EXPECT_EQ(arabic->text(1), QString::fromUtf8("Arabic → English"));
    EXPECT_TRUE(arabic->text(2).endsWith(QString::fromUtf8("صباح الخير")));
    EXPECT_EQ(arabic->textAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignRight)
        << "Arabic reads from the right";
    EXPECT_EQ(arabic->textAlignment(3) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_TRUE(history.labProblem->isHidden());
}

TEST_F(HistoryWindowTest, SearchAsTypedAndEnterPutsTheEntryBackWithItsDirection)
{
    Keep(1, QString::fromUtf8("مَدْرَسَةٌ كبيرة"), QStringLiteral("A big school"));
    Keep(0, QStringLiteral("Hello world"), QString::fromUtf8("مرحبا بالعالم"));
    Keep(0, QStringLiteral("The school bus\r\nis late"), QString::fromUtf8("حافلة المدرسة\r\nمتأخرة"));
    TfrmMain& window = Open();
    TfrmHistory& history = OpenHistory(window);

    QTest::keyClicks(history.edtSearch, QStringLiteral("hel"));
    EXPECT_EQ(Sources(history), QStringList{"Hello world"}) << "the last word is found as it is typed";
    history.edtSearch->setText(QString::fromUtf8("مدرسة"));
    EXPECT_EQ(Sources(history), QStringList{QString::fromUtf8("مَدْرَسَةٌ كبيرة")});

    // A multi-line entry is listed by its first line; Enter puts all of it back.
    history.edtSearch->setText(QStringLiteral("school"));
    ASSERT_EQ(Sources(history).size(), 2);
    EXPECT_TRUE(history.lvEntries->topLevelItem(0)->text(2).endsWith("The school bus"));
    ASSERT_TRUE(window.rbEngToChn->isChecked());
    history.lvEntries->setCurrentItem(history.lvEntries->topLevelItem(1));
    QTest::keyClick(history.lvEntries, Qt::Key_Return);
    EXPECT_TRUE(window.rbChnToEng->isChecked());
    EXPECT_EQ(IniReadString(SettingsFile(), "General", "Direction"), "1");
    EXPECT_EQ(window.E1->BiDiMode(), rvbdRightToLeft);
    EXPECT_EQ(GetPaneText(*window.E1), QString::fromUtf8("مَدْرَسَةٌ كبيرة"));
    EXPECT_EQ(GetPaneText(*window.E2), "A big school");

    history.lvEntries->setCurrentItem(history.lvEntries->topLevelItem(0));
    QTest::keyClick(history.edtSearch, Qt::Key_Return);
    EXPECT_TRUE(window.rbEngToChn->isChecked());
    EXPECT_EQ(GetPaneText(*window.E1), "The school bus\r\nis late");
    EXPECT_EQ(GetPaneText(*window.E2), QString::fromUtf8("حافلة المدرسة\r\nمتأخرة"));
}

TEST_F(HistoryWindowTest, DeleteRemovesTheSelectedAndClearAllAfterTheQuestion)
{
    Keep(0, QStringLiteral("one"), QStringLiteral("1"));
    Keep(0, QStringLiteral("two"), QStringLiteral("2"));
    Keep(0, QStringLiteral("three"), QStringLiteral("3"));
    TfrmMain& window = Open();
    TfrmHistory& history = OpenHistory(window);

    history.lvEntries->topLevelItem(0)->setSelected(true);
    history.lvEntries->topLevelItem(2)->setSelected(true);
    QTest::keyClick(history.lvEntries, Qt::Key_Delete);
    EXPECT_EQ(Sources(history), QStringList{"two"});
    EXPECT_EQ(THistoryStore(HistoryFile()).Newest().size(), 1);

    FServices->MessageAnswer = 2;
    history.btnClear->click();
    EXPECT_EQ(FServices->Messages, QStringList{"Remove every translation from the history?"});
    EXPECT_EQ(Sources(history), QStringList{"two"}) << "Cancel keeps the history";

    FServices->MessageAnswer = 1;
    history.btnClear->click();
    EXPECT_TRUE(Sources(history).isEmpty());
    EXPECT_TRUE(THistoryStore(HistoryFile()).Newest().isEmpty());
}

TEST_F(HistoryWindowTest, TheCheckBoxWritesTheKeyAtOnceAndOffKeepsNothing)
{
    TFakeEndpoint endpoint;
    TfrmMain& window = Open(&endpoint);
    TfrmHistory& history = OpenHistory(window);
    EXPECT_TRUE(history.chkKeep->isChecked()) << "a history is kept unless the settings say no";
    EXPECT_FALSE(QFile::exists(HistoryFile())) << "opening the window makes no file";

    history.chkKeep->click();
    EXPECT_EQ(IniReadString(SettingsFile(), "General", "History"), "0");
    SetPaneText(*window.E1, QStringLiteral("Hello world"));
    window.btnTrans->click();
    WaitWhileTranslating();
    window.FlushHistory();
    EXPECT_EQ(GetPaneText(*window.E2), QString::fromUtf8("مرحبا بالعالم"));
    EXPECT_FALSE(QFile::exists(HistoryFile())) << "with the history off nothing is written";

    history.chkKeep->click();
    EXPECT_EQ(IniReadString(SettingsFile(), "General", "History"), "1");
    window.btnTrans->click();
    WaitWhileTranslating();
    window.FlushHistory();
    QCoreApplication::processEvents();
    EXPECT_EQ(Sources(history), QStringList{"Hello world"}) << "the open window shows the new entry";
    const QList<THistoryEntry> kept = THistoryStore(HistoryFile()).Newest();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].Translation, QString::fromUtf8("مرحبا بالعالم"));
    EXPECT_EQ(kept[0].Direction, 0);
    EXPECT_FALSE(kept[0].ClientId.isEmpty());
}

TEST_F(HistoryWindowTest, AHistoryThatCannotBeReadIsShownInTheWindow)
{
    QFile corrupt(HistoryFile());
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(QByteArray(8192, 'x'));
    corrupt.close();
    TfrmMain& window = Open();
    TfrmHistory& history = OpenHistory(window);
    EXPECT_FALSE(history.labProblem->isHidden());
    EXPECT_TRUE(history.labProblem->text().contains(HistoryFile()))
        << history.labProblem->text().toStdString();
    EXPECT_TRUE(history.Entries().isEmpty());
}

} // namespace
