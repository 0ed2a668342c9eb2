#include "IniFiles.h"

#include "IniTestDir.h"

#include <QDir>

#include <limits>
#include <unistd.h>

namespace {

class IniFiles : public TIniTestDir
{
};

TEST_F(IniFiles, BooleansAndIntegersReadThroughTheIntegerRule)
{
    struct TCase
    {
        const char* FLine; // "" for no key at all
        int FInteger;
        bool FBool;
    };
    const TCase cases[] = {
        {"", 0, false},      {"V=", 0, false},           {"V=1", 1, true},     {"V=0", 0, false},
        {"V=2", 2, true},    {"V=-1", -1, true},         {"V=true", 0, false}, {"V=yes", 0, false},
        {"V=0x1", 1, true},  {"V=$1", 1, true},          {"V= 1 ", 1, true},   {"V='1'", 1, true},
        {"V=1.5", 0, false}, {"V=4294967296", 0, false},
    };
    const QString file = Path(QStringLiteral("values.ini"));
    const QString s = QStringLiteral("S"), v = QStringLiteral("v");
    for (const TCase& c : cases) {
        WriteBytes(file, "[S]\r\n" + QByteArray(c.FLine) + "\r\n");
        EXPECT_EQ(IniReadInteger(file, s, v), c.FInteger) << c.FLine;
        EXPECT_EQ(IniReadBool(file, s, v), c.FBool) << c.FLine;
    }
}

TEST_F(IniFiles, WrittenValuesReadBack)
{
    const QString file = Path(QStringLiteral("round.ini"));
    const QString s = QStringLiteral("S");
    for (const int value : {0, -7, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        IniWriteInteger(file, s, QStringLiteral("I"), value);
        EXPECT_EQ(IniReadInteger(file, s, QStringLiteral("I")), value);
    }
    for (const bool value : {true, false}) {
        IniWriteBool(file, s, QStringLiteral("B"), value);
        EXPECT_EQ(IniReadBool(file, s, QStringLiteral("B")), value);
    }
    EXPECT_EQ(ReadBytes(file), "[S]\r\nI=2147483647\r\nB=0\r\n");
}

TEST_F(IniFiles, OptionsDialogThenDirectionGivesThisExactFile)
{
    const QString file = Path(QStringLiteral("Zorvanel.ini"));
    const QString general = QStringLiteral("General"), connection = QStringLiteral("Connection");
    IniWriteInteger(file, general, QStringLiteral("Translator"), 0);
    IniWriteBool(file, general, QStringLiteral("AutoPaste"), true);
    IniWriteBool(file, general, QStringLiteral("AutoCopy"), false);
    IniWriteString(file, general, QStringLiteral("DisplayLanguage"), QStringLiteral("English"));
    IniWriteBool(file, connection, QStringLiteral("NoProxy"), false);
    IniWriteString(file, connection, QStringLiteral("Address"), QStringLiteral("proxy.local"));
    IniWriteString(file, connection, QStringLiteral("Port"), QStringLiteral("3128"));
    IniWriteString(file, connection, QStringLiteral("UserName"), QString());
    IniWriteString(file, connection, QStringLiteral("Password"), QStringLiteral("p a$s"));
    IniWriteInteger(file, general, QStringLiteral("Direction"), 1);
    EXPECT_EQ(ReadBytes(file), "[General]\r\n"
                               "Translator=0\r\n"
                               "AutoPaste=1\r\n"
                               "AutoCopy=0\r\n"
                               "DisplayLanguage=English\r\n"
                               "Direction=1\r\n"
                               "[Connection]\r\n"
                               "NoProxy=0\r\n"
                               "Address=proxy.local\r\n"
                               "Port=3128\r\n"
                               "UserName=\r\n"
                               "Password=p a$s\r\n");
}

// The proxy password is kept in plain text: once one is in the file, nobody but its owner may read it.
TEST_F(IniFiles, APasswordIsNeverLeftReadableByOthers)
{
    struct TCase
    {
        const char* FSection;
        const char* FKey;
        const char* FValue;
        unsigned FBefore;
        unsigned FAfter;
    };
    const TCase cases[] = {
        {"Connection", "Password", "secret", 0644, 0600}, {"connection", "PASSWORD", "secret", 0640, 0600},
        {"Connection", "Password", "secret", 0604, 0600}, {"Connection", "Password", "secret", 0666, 0600},
        {"Connection", "Password", "secret", 0600, 0600}, {"Connection", "Password", "", 0644, 0644},
        {"Connection", "UserName", "me", 0644, 0644},
    };
    const QString file = Path(QStringLiteral("Zorvanel.ini"));
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.FKey << "=" << c.FValue << " at " << std::oct << c.FBefore);
        WriteBytes(file, "[Connection]\r\nAddress=proxy.local\r\n");
        ASSERT_EQ(chmod(QFile::encodeName(file).constData(), c.FBefore), 0);
        IniWriteString(file, QString::fromUtf8(c.FSection), QString::fromUtf8(c.FKey),
                       QString::fromUtf8(c.FValue));
        EXPECT_EQ(Mode(file), c.FAfter);
        EXPECT_EQ(IniReadString(file, QStringLiteral("Connection"), QString::fromUtf8(c.FKey)),
                  QString::fromUtf8(c.FValue));
    }
}

TEST_F(IniFiles, APasswordWrittenInPlaceMakesTheFileOwnerOnlyToo)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    // A folder we may not create files in: the file is rewritten where it lies, not replaced.
    const QString folder = Path(QStringLiteral("locked"));
    const QString file = folder + QStringLiteral("/Zorvanel.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteBytes(file, "[Connection]\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(file).constData(), 0644), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    EXPECT_NO_THROW(IniWriteString(file, QStringLiteral("Connection"), QStringLiteral("Password"),
                                   QStringLiteral("secret")));
    chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(Mode(file), 0600u);
    EXPECT_EQ(ReadBytes(file), "[Connection]\r\nPassword=secret\r\n");
}

} // namespace
