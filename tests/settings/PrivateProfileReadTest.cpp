#include "IniTestDir.h"
#include "PrivateProfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

class PrivateProfileRead : public TIniTestDir
{
};

// One file, read once with LF and once with CR LF line ends.
const char* const Lines[] = {
    "Orphan=outside any section",
    "[General]",
    "  Direction = 1  ",
    "Quoted=\"  padded  \"",
    "Single='x'",
    "Mismatched=\"x'",
    "LoneQuote=\"",
    "Empty=",
    "Tabbed=\t v \t",
    "Dup=first",
    "DUP=second",
    "Equals=a=b",
    "; Hidden=1",
    "# Hash=1",
    "#Tight=2",
    "NoEqualsSign",
    "[general]",
    "Late=from the second General",
    "  [ Spaced ]  ",
    "A=spaced",
    "[Other]",
    "Key=other",
};

struct TReadCase
{
    const char* FSection;
    const char* FKey;
    const char* FExpected;
};

const TReadCase ReadCases[] = {
    {"GENERAL", "direction", "1"},     {"General", "Quoted", "  padded  "}, {"General", "Single", "x"},
    {"General", "Mismatched", "\"x'"}, {"General", "LoneQuote", "\""},      {"General", "Empty", ""},
    {"General", "Tabbed", "v"},        {"General", "dup", "first"},         {"General", "Equals", "a=b"},
    {"General", "; Hidden", ""},       {"General", "# Hash", "1"},          {"General", "#tight", "2"},
    {"General", "Late", ""},           {"General", "Orphan", ""},           {"General", "Key", ""},
    {"Spaced", "a", "spaced"},         {"other", "KEY", "other"},           {"Missing", "Key", ""},
    {"General", "Missing", ""},
};

TEST_F(PrivateProfileRead, FollowsTheProfileRulesWithEitherLineEnd)
{
    for (const char* eol : {"\n", "\r\n"}) {
        QByteArray text;
        for (const char* line : Lines)
            text += QByteArray(line) + eol;
        const QString file = Path(QStringLiteral("read.ini"));
        WriteBytes(file, text);
        for (const TReadCase& c : ReadCases) {
            EXPECT_EQ(GetPrivateProfileString(QString::fromUtf8(c.FSection), QString::fromUtf8(c.FKey), file),
                      QString::fromUtf8(c.FExpected))
                << "[" << c.FSection << "] " << c.FKey << (eol[0] == '\r' ? " (CR LF)" : " (LF)");
        }
    }
}

TEST_F(PrivateProfileRead, LastLineWithoutLineEndAndNonAsciiText)
{
    const QString file = Path(QStringLiteral("tail.ini"));
    WriteBytes(file, "[Général]\nMot=  «café» \r");
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("Général"), QStringLiteral("mot"), file),
              QStringLiteral("«café»"));
}

TEST_F(PrivateProfileRead, ByteOrderMarkBeforeTheFirstSectionIsSkipped)
{
    const QString file = Path(QStringLiteral("bom.ini"));
    WriteBytes(file, "\xEF\xBB\xBF[General]\r\nDirection=1\r\n");
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("General"), QStringLiteral("Direction"), file),
              QStringLiteral("1"));
}

TEST_F(PrivateProfileRead, MissingFileGivesEmptyAndCreatesNothing)
{
    const QString file = Path(QStringLiteral("sub/none.ini"));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("General"), QStringLiteral("Direction"), file),
              QString());
    EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("sub"))));
    // A directory in place of the file reads as missing too.
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("General"), QStringLiteral("Direction"), FDir.path()),
              QString());
}

TEST_F(PrivateProfileRead, LongValuesAreCutToWholeCharactersWithin2047Bytes)
{
    struct TCutCase
    {
        QString FUnit; // repeated to build the value
        int FRepeat;
        int FExpectedUnits;
    };
    const TCutCase cases[] = {
        {QStringLiteral("a"), 2047, 2047},        {QStringLiteral("a"), 3000, 2047},
        {QStringLiteral("\u00e9"), 2000, 1023},   // 2 bytes: byte 2047 would split the 1024th
        {QStringLiteral("\u20ac"), 1000, 682},    // 3 bytes
        {QStringLiteral("\U0001F600"), 600, 511}, // 4 bytes
    };
    const QString file = Path(QStringLiteral("long.ini"));
    for (const TCutCase& c : cases) {
        WriteBytes(file, "[S]\r\nK=\"" + c.FUnit.repeated(c.FRepeat).toUtf8() + "\"\r\n");
        EXPECT_EQ(GetPrivateProfileString(QStringLiteral("S"), QStringLiteral("K"), file),
                  c.FUnit.repeated(c.FExpectedUnits))
            << c.FUnit.toStdString() << " x " << c.FRepeat;
    }
}

} // namespace
