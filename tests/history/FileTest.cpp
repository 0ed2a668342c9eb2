#include "HistoryError.h"
#include "HistoryStore.h"
#include "HistoryTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class HistoryFile : public THistoryTest
{
protected:
    static unsigned Mode(const QString& path)
    {
        struct stat st
        {
        };
        EXPECT_EQ(stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
        return st.st_mode & 0777;
    }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Adds one entry that must succeed.
    static void Keep(THistoryStore& store, const QString& source, int minute)
    {
        ASSERT_TRUE(store.Add(Entry(source, QStringLiteral("ترجمة"), minute)))
            << store.AddError().toStdString();
    }
};

TEST_F(HistoryFile, IsTheOwnersAloneAndInWalMode)
{
    THistoryStore store(FilePath());
    Keep(store, QStringLiteral("private"), 1);
    EXPECT_EQ(Mode(FilePath()), 0600u);
    EXPECT_EQ(Mode(FilePath() + QStringLiteral("-wal")), 0600u);
    EXPECT_EQ(Mode(FilePath() + QStringLiteral("-shm")), 0600u);
    TRawDatabase raw(FilePath());
    EXPECT_EQ(raw.Scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
}

TEST_F(HistoryFile, MissingFoldersAreMade)
{
    THistoryStore store(Path(QStringLiteral("data/zorvanel/history.sqlite")));
    Keep(store, QStringLiteral("first"), 1);
    EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("data/zorvanel/history.sqlite"))));
}

TEST_F(HistoryFile, AWriterPastTheBusyTimeOutFailsOnlyThatAdd)
{
    THistoryStore store(FilePath(), 50);
    Keep(store, QStringLiteral("before"), 1);
    {
        TRawDatabase other(FilePath());
        other.Exec(QStringLiteral("BEGIN IMMEDIATE"));
        EXPECT_FALSE(store.Add(Entry(QStringLiteral("during"), QStringLiteral("أثناء"), 2)));
        EXPECT_TRUE(store.AddError().contains(QStringLiteral("locked"))) << store.AddError().toStdString();
        EXPECT_TRUE(store.AddError().contains(FilePath())) << store.AddError().toStdString();
        // Readers are not held up by a writer.
        EXPECT_EQ(Sources(store.Newest()), QStringList({QStringLiteral("before")}));
        other.Exec(QStringLiteral("COMMIT"));
    }
    Keep(store, QStringLiteral("after"), 3);
    EXPECT_TRUE(store.AddError().isEmpty());
    EXPECT_EQ(Sources(store.Newest()), QStringList({QStringLiteral("after"), QStringLiteral("before")}));
}

TEST_F(HistoryFile, ACorruptFileIsReportedAndLeftAsItIs)
{
    const QByteArray garbage = QByteArray("this was never a database\n").repeated(200);
    {
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }
    THistoryStore store(FilePath());
    EXPECT_FALSE(store.Add(Entry(QStringLiteral("lost"), QStringLiteral("ضائع"), 1)));
    EXPECT_TRUE(store.AddError().contains(FilePath())) << store.AddError().toStdString();
    EXPECT_TRUE(store.AddError().contains(QStringLiteral("not a database")))
        << store.AddError().toStdString();
    EXPECT_THROW(store.Newest(), THistoryError);
    EXPECT_THROW(store.Search(QStringLiteral("lost")), THistoryError);
    EXPECT_THROW(store.Clear(), THistoryError);
    EXPECT_EQ(Bytes(FilePath()), garbage);
}

TEST_F(HistoryFile, AFolderThatCannotBeMadeIsReportedAndNothingIsCreated)
{
    {
        QFile blocker(Path(QStringLiteral("data")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    const QString file = Path(QStringLiteral("data/history.sqlite"));
    THistoryStore store(file);
    EXPECT_FALSE(store.Add(Entry(QStringLiteral("nowhere"), QStringLiteral("لا مكان"), 1)));
    EXPECT_TRUE(store.AddError().contains(file)) << store.AddError().toStdString();
    EXPECT_THROW(store.Newest(), THistoryError);
}

TEST_F(HistoryFile, AReadOnlyFolderIsReportedAndNothingIsCreated)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    const QString folder = Path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    THistoryStore store(folder + QStringLiteral("/history.sqlite"));
    EXPECT_FALSE(store.Add(Entry(QStringLiteral("nowhere"), QStringLiteral("لا مكان"), 1)));
    EXPECT_FALSE(store.AddError().isEmpty());
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(HistoryFile, AReadOnlyFileKeepsWhatItHasAndCanBeReadAgainLater)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    {
        THistoryStore store(FilePath());
        Keep(store, QStringLiteral("kept"), 1);
    }
    ASSERT_TRUE(QFile::setPermissions(FilePath(), QFileDevice::ReadOwner));
    {
        THistoryStore store(FilePath());
        EXPECT_FALSE(store.Add(Entry(QStringLiteral("refused"), QStringLiteral("مرفوض"), 2)));
        EXPECT_FALSE(store.AddError().isEmpty());
    }
    ASSERT_TRUE(QFile::setPermissions(FilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    THistoryStore store(FilePath());
    EXPECT_EQ(Sources(store.Newest()), QStringList({QStringLiteral("kept")}));
}

TEST_F(HistoryFile, AFileOfALaterLayoutOrAnotherProgramIsLeftAlone)
{
    struct TCase
    {
        const char* Name;
        const char* Script;
        const char* Says;
    };
    const TCase cases[] = {
        {"later.sqlite",
         "CREATE TABLE schema_version (version INTEGER NOT NULL);\n"
         "INSERT INTO schema_version VALUES (99);\n",
         "later version"},
        {"other.sqlite",
         "CREATE TABLE notes (body TEXT);\n"
         "INSERT INTO notes VALUES ('mine');\n",
         "another kind"},
    };
    for (const TCase& c : cases) {
        const QString file = Path(QString::fromUtf8(c.Name));
        TRawDatabase(file).Exec(QString::fromUtf8(c.Script));
        const QByteArray before = Bytes(file);
        THistoryStore store(file);
        EXPECT_FALSE(store.Add(Entry(QStringLiteral("refused"), QStringLiteral("مرفوض"), 1))) << c.Name;
        EXPECT_TRUE(store.AddError().contains(QString::fromUtf8(c.Says))) << store.AddError().toStdString();
        EXPECT_EQ(Bytes(file), before) << c.Name;
    }
}

} // namespace
