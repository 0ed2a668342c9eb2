#include "HistoryStore.h"
#include "HistoryTestSupport.h"

#include <QFileInfo>

namespace {

using Store = THistoryTest;

TEST_F(Store, MakingAStoreLeavesTheFileAlone)
{
    THistoryStore store(FilePath());
    EXPECT_FALSE(QFileInfo::exists(FilePath()));
}

TEST_F(Store, KeepsEveryFieldAcrossReopening)
{
    const QString arabic = QStringLiteral("مَدْرَسَةٌ جميلة\nسطر ثانٍ");
    {
        THistoryStore store(FilePath());
        ASSERT_TRUE(store.Add(Entry(arabic, QStringLiteral("A beautiful school\nsecond line"), 3, 1,
                                    QStringLiteral("client-b"))))
            << store.AddError().toStdString();
        EXPECT_TRUE(store.AddError().isEmpty());
    }
    THistoryStore store(FilePath());
    const QList<THistoryEntry> entries = store.Newest();
    ASSERT_EQ(entries.size(), 1);
    const THistoryEntry& e = entries[0];
    EXPECT_GT(e.Id, 0);
    EXPECT_EQ(e.Time, At(3));
    EXPECT_EQ(e.Time.timeSpec(), Qt::UTC);
    EXPECT_EQ(e.Direction, 1);
    EXPECT_EQ(e.Source, arabic);
    EXPECT_EQ(e.Translation, QStringLiteral("A beautiful school\nsecond line"));
    EXPECT_EQ(e.ClientId, QStringLiteral("client-b"));
}

TEST_F(Store, AnEntryWithoutTimeTakesTheCurrentTime)
{
    THistoryStore store(FilePath());
    THistoryEntry entry = Entry(QStringLiteral("now"), QStringLiteral("الآن"));
    entry.Time = QDateTime();
    const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1);
    ASSERT_TRUE(store.Add(entry));
    const QDateTime after = QDateTime::currentDateTimeUtc().addMSecs(1);
    const QDateTime kept = store.Newest().value(0).Time;
    EXPECT_LE(before, kept);
    EXPECT_LE(kept, after);
}

TEST_F(Store, TheLastKeptComesFirstUpToTheLimit)
{
    THistoryStore store(FilePath());
    // The clock went back before the last two: what was kept last is still the newest.
    for (const int minute : {2, 3, 4, 0, 1})
        ASSERT_TRUE(store.Add(Entry(QStringLiteral("text %1").arg(minute), QStringLiteral("نص"), minute)));
    EXPECT_EQ(Sources(store.Newest(3)),
              QStringList({QStringLiteral("text 1"), QStringLiteral("text 0"), QStringLiteral("text 4")}));
    EXPECT_EQ(store.Newest().size(), 5);
}

TEST_F(Store, TheSameSourceAndDirectionUpdatesItsEntryAndMovesItFirst)
{
    THistoryStore store(FilePath());
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("school"), QStringLiteral("مكتب"), 0)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("book"), QStringLiteral("كتاب"), 1)));

    ASSERT_TRUE(store.Add(
        Entry(QStringLiteral("school"), QStringLiteral("مدرسة"), 2, 0, QStringLiteral("client-c"))));
    const QList<THistoryEntry> entries = store.Newest();
    ASSERT_EQ(Sources(entries), QStringList({QStringLiteral("school"), QStringLiteral("book")}));
    EXPECT_GT(entries[0].Id, entries[1].Id);
    EXPECT_EQ(entries[0].Time, At(2));
    EXPECT_EQ(entries[0].Translation, QStringLiteral("مدرسة"));
    EXPECT_EQ(entries[0].ClientId, QStringLiteral("client-c"));
    // The old translation is no longer found, the new one is.
    EXPECT_TRUE(store.Search(QStringLiteral("مكتب")).isEmpty());
    EXPECT_EQ(Sources(store.Search(QStringLiteral("مدرسة"))), QStringList({QStringLiteral("school")}));
}

TEST_F(Store, AnotherDirectionOrAnotherSourceIsAnotherEntry)
{
    THistoryStore store(FilePath());
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("kitab"), QStringLiteral("كتاب"), 0, 0)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("kitab"), QStringLiteral("book"), 1, 1)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("Kitab"), QStringLiteral("كتاب"), 2, 0)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("kitab "), QStringLiteral("كتاب"), 3, 0)));
    EXPECT_EQ(store.Newest().size(), 4);
}

TEST_F(Store, RemoveTakesOnlyTheGivenEntries)
{
    THistoryStore store(FilePath());
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(store.Add(Entry(QStringLiteral("word%1").arg(i), QStringLiteral("كلمة"), i)));
    const QList<THistoryEntry> before = store.Newest();
    store.Remove({before[0].Id, before[2].Id, 999999});
    EXPECT_EQ(Sources(store.Newest()), QStringList({QStringLiteral("word2"), QStringLiteral("word0")}));
    // The removed ones are gone from the search as well.
    EXPECT_EQ(Sources(store.Search(QStringLiteral("كلمة"))),
              QStringList({QStringLiteral("word2"), QStringLiteral("word0")}));
    store.Remove({});
    EXPECT_EQ(store.Newest().size(), 2);
}

TEST_F(Store, ClearRemovesEverythingAndTheStoreGoesOn)
{
    THistoryStore store(FilePath());
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(
            store.Add(Entry(QStringLiteral("secret phrase %1").arg(i), QStringLiteral("عبارة سرية"), i)));
    store.Clear();
    EXPECT_TRUE(store.Newest().isEmpty());
    EXPECT_TRUE(store.Search(QStringLiteral("secret")).isEmpty());

    ASSERT_TRUE(store.Add(Entry(QStringLiteral("after"), QStringLiteral("بعد"), 30)));
    EXPECT_EQ(Sources(store.Search(QStringLiteral("after"))), QStringList({QStringLiteral("after")}));

    // The cleared text is no longer in the file, nor in its log.
    for (const QString& path : {FilePath(), FilePath() + QStringLiteral("-wal")}) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            EXPECT_FALSE(file.readAll().contains("secret phrase")) << path.toStdString();
        }
    }
}

} // namespace
