#include "IniTestDir.h"
#include "PrivateProfile.h"

#include <QDir>
#include <QFileInfo>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class PrivateProfileWrite : public TIniTestDir
{
protected:
    void Write(const QString& file, const char* section, const char* key, const QString& value)
    {
        WritePrivateProfileString(QString::fromUtf8(section), QString::fromUtf8(key), value, file);
    }
};

TEST_F(PrivateProfileWrite, NewFileListsSectionsAndKeysInCallOrder)
{
    const QString file = Path(QStringLiteral("a/b/new.ini"));
    Write(file, "General", "A", QStringLiteral("1"));
    Write(file, "Connection", "B", QStringLiteral("2"));
    Write(file, "general", "C", QStringLiteral("3"));
    Write(file, "GENERAL", "a", QStringLiteral("4"));
    EXPECT_EQ(ReadBytes(file), "[General]\r\nA=4\r\nC=3\r\n[Connection]\r\nB=2\r\n");
}

struct TWriteCase
{
    const char* FName;
    QByteArray FBefore;
    const char* FSection;
    const char* FKey;
    QString FValue;
    QByteArray FAfter;
};

TEST_F(PrivateProfileWrite, ChangesOnlyWhatItMust)
{
    const TWriteCase cases[] = {
        {"replace keeps every other line and the key's spelling",
         "; settings\n\n[General]\n  # note = kept\njunk line\n  DIRECTION = 1 ; old\r\nOther = x \n",
         "general", "Direction", QStringLiteral("5"),
         "; settings\n\n[General]\n  # note = kept\njunk line\nDIRECTION=5\r\nOther = x \n"},
        {"new key follows the last line of its section, not the blanks before the next",
         "[A]\nx=1\n; last\n\n\n[B]\ny=2\n", "A", "z", QStringLiteral("3"),
         "[A]\nx=1\n; last\nz=3\n\n\n[B]\ny=2\n"},
        {"new key in a CR LF file", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "z", QStringLiteral("3"),
         "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        {"new key in an empty section", "[A]\n[B]\n", "A", "z", QStringLiteral("3"), "[A]\nz=3\n[B]\n"},
        {"new section goes after trailing blank lines", "[A]\nx=1\n\n", "B", "y", QStringLiteral("2"),
         "[A]\nx=1\n\n[B]\ny=2\n"},
        {"unterminated last line gets its end first", "[A]\nx=1", "A", "z", QStringLiteral("3"),
         "[A]\nx=1\nz=3\n"},
        {"unterminated CR LF file, new section", "[A]\r\nx=1", "B", "y", QStringLiteral("2"),
         "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        {"last line ended by a lone CR keeps the CR that ends its text", "[A]\nx=1\r\r", "B", "y",
         QStringLiteral("2"), "[A]\nx=1\r\r\n[B]\ny=2\n"},
        {"first line decides the line end of added lines", "[A]\nx=1\r\n", "A", "z", QStringLiteral("3"),
         "[A]\nx=1\r\nz=3\n"},
        {"first section and first key win", "[A]\nk=1\nK=2\n[a]\nk=3\n", "A", "k", QStringLiteral("9"),
         "[A]\nk=9\nK=2\n[a]\nk=3\n"},
        {"empty value is written, not deleted", "[A]\nx=1\n", "A", "x", QString(), "[A]\nx=\n"},
        {"line breaks in a value become spaces", "[A]\nx=1\n", "A", "x", QStringLiteral("a\r\nb\n[B]\rc"),
         "[A]\nx=a  b [B] c\n"},
        {"a key that begins with # is a key like any other", "[A]\n#k=1\n; k=2\n", "a", "#K",
         QStringLiteral("3"), "[A]\n#k=3\n; k=2\n"},
        {"a byte-order mark is dropped and its first section found", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "y",
         QStringLiteral("2"), "[A]\r\nx=1\r\ny=2\r\n"},
        {"every byte-order mark at the start is dropped", "\xEF\xBB\xBF\xEF\xBB\xBF[A]\nx=1\n", "A", "x",
         QStringLiteral("2"), "[A]\nx=2\n"},
        {"a byte-order mark alone is an empty file", "\xEF\xBB\xBF", "A", "x", QStringLiteral("1"),
         "[A]\r\nx=1\r\n"},
        {"empty existing file is treated as new", "", "A", "x", QStringLiteral("1"), "[A]\r\nx=1\r\n"},
        {"text is written in UTF-8", "[A]\n", "A", "Wort",
         QStringLiteral("\u00fcber \u0645\u0631\u062d\u0628\u0627"),
         "[A]\nWort=\xc3\xbc"
         "ber \xd9\x85\xd8\xb1\xd8\xad\xd8\xa8\xd8\xa7\n"},
    };
    const QString file = Path(QStringLiteral("edit.ini"));
    for (const TWriteCase& c : cases) {
        WriteBytes(file, c.FBefore);
        Write(file, c.FSection, c.FKey, c.FValue);
        EXPECT_EQ(ReadBytes(file), c.FAfter) << c.FName;
    }
}

TEST_F(PrivateProfileWrite, ValueWithLineBreaksReadsBackOnOneLine)
{
    const QString file = Path(QStringLiteral("inject.ini"));
    Write(file, "Connection", "Password", QStringLiteral("pw\r\n[General]\r\nDirection=1"));
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("General"), QStringLiteral("Direction"), file),
              QString());
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("Connection"), QStringLiteral("Password"), file),
              QStringLiteral("pw  [General]  Direction=1"));
}

// U+FEFF encodes as the byte-order mark's bytes; only at the start of the file are they a mark.
TEST_F(PrivateProfileWrite, ZeroWidthNoBreakSpaceBeginningANameOrValueReadsBack)
{
    const QString file = Path(QStringLiteral("zwnbsp.ini"));
    const QString section = QStringLiteral("\uFEFFS"), key = QStringLiteral("\uFEFFk"),
                  value = QStringLiteral("\uFEFFv");
    WritePrivateProfileString(section, key, value, file);
    EXPECT_EQ(GetPrivateProfileString(section, key, file), value);
    EXPECT_EQ(GetPrivateProfileString(QStringLiteral("S"), QStringLiteral("k"), file), QString());
}

TEST_F(PrivateProfileWrite, NewFileIsOwnerOnlyAndExistingModeIsKept)
{
    const mode_t oldMask = umask(022);
    const QString created = Path(QStringLiteral("created.ini"));
    Write(created, "A", "x", QStringLiteral("1"));
    Write(created, "A", "y", QStringLiteral("2"));
    EXPECT_EQ(Mode(created), 0600u);

    for (const mode_t mode : {mode_t{0644}, mode_t{0640}, mode_t{0666}}) {
        const QString existing = Path(QStringLiteral("existing.ini"));
        WriteBytes(existing, "[A]\n");
        ASSERT_EQ(chmod(QFile::encodeName(existing).constData(), mode), 0);
        Write(existing, "A", "x", QStringLiteral("1"));
        EXPECT_EQ(Mode(existing), unsigned(mode));
    }
    umask(oldMask);
}

TEST_F(PrivateProfileWrite, RefusedWriteThrowsWithThePathAsGiven)
{
    WriteBytes(Path(QStringLiteral("plain")), "not a folder");
    const QString paths[] = {
        Path(QStringLiteral("plain/Zorvanel.ini")),
        Path(QStringLiteral("plain/deeper/Zorvanel.ini")),
        FDir.path(),
        FDir.path() + QStringLiteral("/./"),
    };
    for (const QString& path : paths) {
        try {
            Write(path, "General", "Direction", QStringLiteral("1"));
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const std::runtime_error& error) {
            EXPECT_NE(dynamic_cast<const TIniWriteError*>(&error), nullptr);
            EXPECT_EQ(std::string(error.what()), "Unable to write to " + path.toStdString());
        }
    }
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("plain"))), "not a folder");
}

TEST_F(PrivateProfileWrite, WritableFileInReadOnlyFolderIsRewrittenInPlace)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    const QString folder = Path(QStringLiteral("locked"));
    const QString file = folder + QStringLiteral("/Zorvanel.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteBytes(file, "[A]\nx=1\n");
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    EXPECT_NO_THROW(Write(file, "A", "x", QStringLiteral("2")));
    chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(ReadBytes(file), "[A]\nx=2\n");
}

} // namespace
