#include "HistoryStore.h"
#include "HistoryTestSupport.h"

namespace {

using Search = THistoryTest;

struct TSearchCase
{
    const char* Kept;  // the source kept; its translation is a fixed unrelated text
    const char* Typed; // what the user searches for
    bool Found;
};

// What a reader does not tell apart, the search does not either; other words stay apart.
const TSearchCase NormalizationCases[] = {
    {"مَدْرَسَةٌ", "مدرسة", true},       {"مدرسه", "مدرسة", true},   {"مدرسة", "مَدْرَسَةٌ", true},
    {"ﻣﺪﺭﺳﺔ", "مدرسة", true},  // presentation forms, as some old documents have them
    {"جـــميل", "جميل", true}, // tatweel
    {"هٰذا", "هذا", true},      // superscript alef
    {"أحمد", "احمد", true},         {"احمد", "أحمد", true},     {"إسلام", "اسلام", true},
    {"آمن", "امن", true},           {"ٱلكتاب", "الكتاب", true}, {"مصطفى", "مصطفي", true},
    {"ا\u0654حمد", "أحمد", true}, // alef followed by a combining hamza
    {"Hello world", "hello", true}, {"hello", "HELLO", true},   {"café", "cafe", true},
    {"كتاب", "كتب", false},         {"مدرسة", "مدرسية", false}, {"hello", "help", false},
};

TEST_F(Search, IgnoresMarksLetterFormsAndCase)
{
    THistoryStore store(FilePath());
    int minute = 0;
    for (const TSearchCase& c : NormalizationCases)
        ASSERT_TRUE(store.Add(Entry(QString::fromUtf8(c.Kept), QStringLiteral("-"), minute++)));
    for (const TSearchCase& c : NormalizationCases) {
        EXPECT_EQ(Sources(store.Search(QString::fromUtf8(c.Typed))).contains(QString::fromUtf8(c.Kept)),
                  c.Found)
            << c.Kept << " searched as " << c.Typed;
    }
}

TEST_F(Search, FindsWordsInSourceAndTranslationNewestFirst)
{
    THistoryStore store(FilePath());
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("The school library"), QStringLiteral("مكتبة المدرسة"), 1)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("A new book"), QStringLiteral("كتاب جديد"), 2)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("كتاب المدرسة"), QStringLiteral("The school book"), 3, 1)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("Nothing here"), QStringLiteral("لا شيء"), 4)));

    EXPECT_EQ(Sources(store.Search(QStringLiteral("school"))),
              QStringList({QStringLiteral("كتاب المدرسة"), QStringLiteral("The school library")}));
    // Every word must be there, each in either text.
    EXPECT_EQ(Sources(store.Search(QStringLiteral("book كتاب"))),
              QStringList({QStringLiteral("كتاب المدرسة"), QStringLiteral("A new book")}));
    EXPECT_EQ(Sources(store.Search(QStringLiteral("school جديد"))), QStringList());
    EXPECT_EQ(store.Search(QStringLiteral("كتاب"), 1).size(), 1);
}

TEST_F(Search, TheWordBeingTypedIsABeginningAndAFinishedOneAWholeWord)
{
    THistoryStore store(FilePath());
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("translation of the day"), QStringLiteral("ترجمة اليوم"), 1)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("translate it"), QStringLiteral("ترجمه"), 2)));

    EXPECT_EQ(store.Search(QStringLiteral("transl")).size(), 2);
    EXPECT_EQ(store.Search(QStringLiteral("ترج")).size(), 2);
    EXPECT_EQ(store.Search(QStringLiteral("transl ")).size(), 0);
    EXPECT_EQ(Sources(store.Search(QStringLiteral("translate "))),
              QStringList({QStringLiteral("translate it")}));
    // Only the last word is still being typed.
    EXPECT_EQ(store.Search(QStringLiteral("transl da")).size(), 0);
    EXPECT_EQ(store.Search(QStringLiteral("translation da")).size(), 1);
}

TEST_F(Search, TextWithoutWordsGivesTheNewest)
{
    THistoryStore store(FilePath());
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("one"), QStringLiteral("واحد"), 1)));
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("two"), QStringLiteral("اثنان"), 2)));
    for (const QString& blank : {QString(), QStringLiteral("   "), QStringLiteral("\t\n")})
        EXPECT_EQ(Sources(store.Search(blank)), QStringList({QStringLiteral("two"), QStringLiteral("one")}));
}

struct TSyntaxCase
{
    const char* Typed;
    bool Found;
};

// Characters and words that mean something to the full-text query language are plain text.
const TSyntaxCase SyntaxCases[] = {
    {"and", true},
    {"NOT", true},
    {"OR jazz", true},
    {"(blues)", true},
    {"\"quoted\"", true},
    {"star*", true},
    {"rock:", true},
    {"-roll", true},
    {"^rock", true},
    {"jazz)", true},
    {"NEAR(rock", false},
    {"\"", false},
    {"\"\" rock", true},
    {"{source_search}: rock", false},
    {"source_search:rock", false},
    {"*", false},
    {"'", false},
    {"rock AND", true},
};

TEST_F(Search, QuerySyntaxInTheTextIsPlainText)
{
    THistoryStore store(FilePath());
    ASSERT_TRUE(store.Add(Entry(QStringLiteral("rock and roll, not jazz or (blues) with \"quoted\" stars"),
                                QStringLiteral("روك"), 1)));
    for (const TSyntaxCase& c : SyntaxCases) {
        QList<THistoryEntry> found;
        EXPECT_NO_THROW(found = store.Search(QString::fromUtf8(c.Typed))) << c.Typed;
        EXPECT_EQ(found.size(), c.Found ? 1 : 0) << c.Typed;
    }
}

} // namespace
