#include "HistoryStore.h"
#include "HistoryTestSupport.h"

#include <QFile>

namespace {

// A history file as the first layout wrote it: entries without word search.
const char* const FirstLayout = R"sql(
PRAGMA journal_mode = WAL;
CREATE TABLE schema_version (version INTEGER NOT NULL);
INSERT INTO schema_version (version) VALUES (1);
CREATE TABLE entries (
 id INTEGER PRIMARY KEY,
 time INTEGER NOT NULL,
 direction INTEGER NOT NULL,
 source TEXT NOT NULL,
 translation TEXT NOT NULL,
 client_id TEXT NOT NULL,
 UNIQUE (direction, source));
INSERT INTO entries VALUES (1, 1714550400000, 1, 'مَدْرَسَةٌ كبيرة', 'A big school', 'client-a');
INSERT INTO entries VALUES (2, 1714550460000, 0, 'Hello there', 'مرحبا هناك', 'client-b');
INSERT INTO entries VALUES (3, 1714550520000, 0, 'The library', 'المكتبة', 'client-a');
)sql";

using Migration = THistoryTest;

TEST_F(Migration, AFirstLayoutFileKeepsItsEntriesAndBecomesSearchable)
{
    TRawDatabase(FilePath()).Exec(QString::fromUtf8(FirstLayout));

    THistoryStore store(FilePath());
    const QList<THistoryEntry> entries = store.Newest();
    ASSERT_EQ(Sources(entries), QStringList({QStringLiteral("The library"), QStringLiteral("Hello there"),
                                             QStringLiteral("مَدْرَسَةٌ كبيرة")}));
    EXPECT_EQ(entries[2].Id, 1);
    EXPECT_EQ(entries[2].Time, QDateTime(QDate(2024, 5, 1), QTime(8, 0), Qt::UTC));
    EXPECT_EQ(entries[2].Direction, 1);
    EXPECT_EQ(entries[2].Translation, QStringLiteral("A big school"));
    EXPECT_EQ(entries[1].ClientId, QStringLiteral("client-b"));

    // The entries from before the search are found like new ones, with the same folding.
    EXPECT_EQ(Sources(store.Search(QStringLiteral("مدرسه"))), QStringList({QStringLiteral("مَدْرَسَةٌ كبيرة")}));
    EXPECT_EQ(Sources(store.Search(QStringLiteral("hello"))), QStringList({QStringLiteral("Hello there")}));
    EXPECT_EQ(Sources(store.Search(QStringLiteral("المكتبه"))), QStringList({QStringLiteral("The library")}));

    // An old entry is still the one a repeated translation updates.
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("Hello there"), QStringLiteral("أهلا"), 60)));
    EXPECT_EQ(store.Newest().size(), 3);
    EXPECT_EQ(Sources(store.Search(QStringLiteral("اهلا"))), QStringList({QStringLiteral("Hello there")}));

    TRawDatabase raw(FilePath());
    EXPECT_EQ(raw.Scalar(QStringLiteral("SELECT version FROM schema_version")).toInt(), 2);
}

TEST_F(Migration, AnEmptyFileIsGivenTheWholeLayout)
{
    // An empty file is a database without tables, as a crash right after making it leaves it.
    {
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    THistoryStore store(FilePath());
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("first"), QStringLiteral("الأول"), 1)));
    EXPECT_EQ(Sources(store.Search(QStringLiteral("الاول"))), QStringList({QStringLiteral("first")}));
}

} // namespace
