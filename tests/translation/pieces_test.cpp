// Cutting long texts into pieces the endpoint accepts, and joining their translations.

#include "TextPieces.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.left(40).toStdString() << (text.size() > 40 ? "...\"" : "\"") << " (" << text.size()
        << " units)";
}

namespace {

QString Repeat(QStringView unit, qsizetype count)
{
    return unit.toString().repeated(count);
}

struct TCutCase
{
    const char* Name;
    QString Text;
    QStringList Pieces;
    QStringList Separators;
};

const QString Fatha = QString(QChar(0x064E));
const QString Emoji = QString::fromUtf8("\xF0\x9F\x98\x80");

TEST(CutIntoPieces, CutsAtTheBestPlaceInsideTheLimit)
{
    const QString ba = QString(QChar(0x0628));
    const std::vector<TCutCase> cases = {
        {"exactly the limit", Repeat(u"a", 5000), {Repeat(u"a", 5000)}, {}},
        {"one over the limit, no white space", Repeat(u"a", 5001), {Repeat(u"a", 5000), u"a"_qs}, {u""_qs}},
        {"a word of 6,000 letters", Repeat(u"w", 6000), {Repeat(u"w", 5000), Repeat(u"w", 1000)}, {u""_qs}},
        {"the last paragraph end; a short rest is not cut again",
         Repeat(u"A", 3000) + u"\r\n"_qs + Repeat(u"B", 3000) + u"\r\n"_qs + Repeat(u"C", 100),
         {Repeat(u"A", 3000), Repeat(u"B", 3000) + u"\r\n"_qs + Repeat(u"C", 100)},
         {u"\r\n"_qs}},
        {"a blank line between paragraphs stays one separator",
         Repeat(u"A", 3000) + u"\r\n\r\n"_qs + Repeat(u"B", 3000),
         {Repeat(u"A", 3000), Repeat(u"B", 3000)},
         {u"\r\n\r\n"_qs}},
        {"a paragraph end beats a later sentence end",
         Repeat(u"A", 1000) + u"\r\n"_qs + Repeat(u"b", 3000) + u". "_qs + Repeat(u"c", 1000),
         {Repeat(u"A", 1000), Repeat(u"b", 3000) + u". "_qs + Repeat(u"c", 1000)},
         {u"\r\n"_qs}},
        {"an English sentence end beats a later space",
         Repeat(u"w", 4000) + u". "_qs + Repeat(u"x", 500) + u" "_qs + Repeat(u"y", 600),
         {Repeat(u"w", 4000) + u"."_qs, Repeat(u"x", 500) + u" "_qs + Repeat(u"y", 600)},
         {u" "_qs}},
        {"an Arabic question mark ends a sentence",
         Repeat(ba, 4000) + QChar(0x061F) + u" "_qs + Repeat(ba, 500) + u" "_qs + Repeat(ba, 600),
         {Repeat(ba, 4000) + QChar(0x061F), Repeat(ba, 500) + u" "_qs + Repeat(ba, 600)},
         {u" "_qs}},
        {"an ellipsis ends a sentence",
         Repeat(u"w", 4000) + QChar(0x2026) + u"\t"_qs + Repeat(u"x", 500) + u" "_qs + Repeat(u"y", 600),
         {Repeat(u"w", 4000) + QChar(0x2026), Repeat(u"x", 500) + u" "_qs + Repeat(u"y", 600)},
         {u"\t"_qs}},
        {"a full stop inside a word is no sentence end",
         Repeat(u"w", 3000) + u"."_qs + Repeat(u"x", 500) + u" "_qs + Repeat(u"y", 2000),
         {Repeat(u"w", 3000) + u"."_qs + Repeat(u"x", 500), Repeat(u"y", 2000)},
         {u" "_qs}},
        {"the last white space, not a no-break space",
         Repeat(u"a", 3000) + u" "_qs + Repeat(u"b", 1500) + QChar(0x00A0) + Repeat(u"c", 1500),
         {Repeat(u"a", 3000), Repeat(u"b", 1500) + QChar(0x00A0) + Repeat(u"c", 1500)},
         {u" "_qs}},
        {"an emoji at the cut counts as one character",
         Repeat(u"a", 4999) + Emoji + Repeat(u"b", 10),
         {Repeat(u"a", 4999) + Emoji, Repeat(u"b", 10)},
         {u""_qs}},
        {"harakat stay with their letter",
         Repeat(ba, 4999) + ba + Fatha + Fatha + Repeat(ba, 10),
         {Repeat(ba, 4999), ba + Fatha + Fatha + Repeat(ba, 10)},
         {u""_qs}},
        {"three pieces",
         Repeat(u"p", 4000) + u"\r\n"_qs + Repeat(u"q", 4000) + u"\r\n"_qs + Repeat(u"r", 4000),
         {Repeat(u"p", 4000), Repeat(u"q", 4000), Repeat(u"r", 4000)},
         {u"\r\n"_qs, u"\r\n"_qs}},
    };
    for (const TCutCase& c : cases) {
        const TTextPieces cut = CutIntoPieces(c.Text);
        EXPECT_EQ(cut.Pieces, c.Pieces) << c.Name;
        EXPECT_EQ(cut.Separators, c.Separators) << c.Name;
        for (const QString& piece : cut.Pieces) {
            EXPECT_LE(piece.toUcs4().size(), MaxPieceLength) << c.Name;
        }
        // Joined again, untranslated, the pieces give back the text.
        EXPECT_EQ(JoinTranslatedPieces(cut.Pieces, cut.Separators), c.Text) << c.Name;
    }
}

TEST(CutIntoPieces, ALongTextOfEveryKindComesBackWholeInPiecesWithinTheLimit)
{
    QString text;
    const QStringList parts = {u"Hello world. "_qs,        u"مَرْحَبًا بِالْعَالَمِ؟ "_qs, u"\r\n"_qs, Emoji,
                               u"no-break\u00A0space "_qs, u"(1+2)*3=9! "_qs};
    for (int i = 0; text.size() < 60000; ++i) {
        text += parts[i % parts.size()];
    }
    text += u"end"_qs;
    const TTextPieces cut = CutIntoPieces(text);
    ASSERT_GE(cut.Pieces.size(), 12);
    ASSERT_EQ(cut.Separators.size(), cut.Pieces.size() - 1);
    for (const QString& piece : cut.Pieces) {
        EXPECT_LE(piece.toUcs4().size(), MaxPieceLength);
        EXPECT_FALSE(piece.isEmpty());
        EXPECT_FALSE(piece.front().isSpace() || piece.back().isSpace()) << piece.toStdString();
        EXPECT_FALSE(piece.back().isHighSurrogate());
    }
    EXPECT_EQ(JoinTranslatedPieces(cut.Pieces, cut.Separators), text);
}

TEST(JoinTranslatedPieces, PutsTheSeparatorsBackBetweenTheTranslations)
{
    EXPECT_EQ(JoinTranslatedPieces({u"one"_qs, u"two"_qs, u"three"_qs}, {u"\r\n"_qs, u" "_qs}),
              u"one\r\ntwo three"_qs);
    EXPECT_EQ(JoinTranslatedPieces({u"only"_qs}, {}), u"only"_qs);
}

} // namespace
