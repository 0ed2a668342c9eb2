#include "AppSettings.h"

#include "IniTestDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

class AppSettingsFile : public TIniTestDir
{
protected:
    QString File() const { return Path(QStringLiteral("Zorvanel.ini")); }
};

TEST_F(AppSettingsFile, NoFileGivesTheDefaults)
{
    const TParams p = ReadParams(File());
    EXPECT_EQ(p.Translator, 0);
    EXPECT_EQ(p.Direction, 0);
    EXPECT_FALSE(p.AutoPaste);
    EXPECT_FALSE(p.AutoCopy);
    EXPECT_TRUE(p.DisplayLanguage.isEmpty());
    EXPECT_TRUE(p.NoProxy);
    EXPECT_TRUE(p.Address.isEmpty());
    EXPECT_TRUE(p.Port.isEmpty());
    EXPECT_TRUE(p.UserName.isEmpty());
    EXPECT_TRUE(p.Password.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(File()));
}

TEST_F(AppSettingsFile, ReadsEveryKey)
{
    WriteBytes(File(), "[general]\n"
                       "translator=7\n"
                       "direction=2\n"
                       "autopaste=$1\n"
                       "AutoCopy=true\n"
                       "DisplayLanguage=Arabic\n"
                       "[CONNECTION]\n"
                       "NoProxy=0\n"
                       "Address= proxy.local \n"
                       "Port=8080\n"
                       "UserName=\"me\"\n"
                       "Password=' secret '\n");
    const TParams p = ReadParams(File());
    EXPECT_EQ(p.Translator, 0);
    EXPECT_EQ(p.Direction, 2);
    EXPECT_TRUE(p.AutoPaste);
    EXPECT_FALSE(p.AutoCopy);
    EXPECT_EQ(p.DisplayLanguage, QStringLiteral("Arabic"));
    EXPECT_FALSE(p.NoProxy);
    EXPECT_EQ(p.Address, QStringLiteral("proxy.local"));
    EXPECT_EQ(p.Port, QStringLiteral("8080"));
    EXPECT_EQ(p.UserName, QStringLiteral("me"));
    EXPECT_EQ(p.Password, QStringLiteral(" secret "));
}

TEST_F(AppSettingsFile, NoProxyIsTrueOnlyWhenEmptyOrNonZero)
{
    struct TCase
    {
        QByteArray FConnection;
        bool FNoProxy;
    };
    const TCase cases[] = {
        {"", true},
        {"Address=\n", true},
        {"NoProxy=\n", true},
        {"NoProxy=\"\"\n", true},
        {"NoProxy=1\n", true},
        {"NoProxy=0\n", false},
        {"NoProxy=0\nAddress=\n", false},
        {"NoProxy=yes\n", false},
        {"NoProxy=0x0\n", false},
    };
    for (const TCase& c : cases) {
        WriteBytes(File(), "[Connection]\n" + c.FConnection);
        EXPECT_EQ(ReadParams(File()).NoProxy, c.FNoProxy) << c.FConnection.toStdString();
    }
}

TEST_F(AppSettingsFile, ClientIdsAreSplitTrimmedAndEmptiesDropped)
{
    struct TCase
    {
        QByteArray FConnection;
        QStringList FIds;
    };
    const TCase cases[] = {
        {"", {}},
        {"Clients=\n", {}},
        {"Clients= , ,\n", {}},
        {"Clients=gtx\n", {QStringLiteral("gtx")}},
        {"clients= a ,b,,\tc , \n", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
    };
    for (const TCase& c : cases) {
        WriteBytes(File(), "[Connection]\n" + c.FConnection);
        EXPECT_EQ(ReadClientIds(File()), c.FIds) << c.FConnection.toStdString();
    }
    EXPECT_EQ(ReadClientIds(Path(QStringLiteral("none.ini"))), QStringList());
}

TEST_F(AppSettingsFile, DefaultPathIsBesideAWritableExecutableElseInTheConfigFolder)
{
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", FDir.path().toLocal8Bit());
    const QString configPath = FDir.path() + QStringLiteral("/zorvanel/Zorvanel.ini");

    // With no application object there is no executable folder to use.
    EXPECT_EQ(DefaultSettingsFilePath(), configPath);
    {
        int argc = 1;
        char name[] = "settings_test";
        char* argv[] = {name, nullptr};
        const QCoreApplication app(argc, argv);
        const QString exeDir = QCoreApplication::applicationDirPath();
        EXPECT_EQ(DefaultSettingsFilePath(),
                  QFileInfo(exeDir).isWritable() ? exeDir + QStringLiteral("/Zorvanel.ini") : configPath);
    }

    // A copy whose data lies in ../share/zorvanel is installed: its folder is not used even
    // when it can be written (as root can write to /usr/bin).
    const QString portable = FDir.path() + QStringLiteral("/portable");
    const QString installedBin = FDir.path() + QStringLiteral("/usr/bin");
    ASSERT_TRUE(QDir().mkpath(portable));
    ASSERT_TRUE(QDir().mkpath(installedBin));
    ASSERT_TRUE(QDir().mkpath(FDir.path() + QStringLiteral("/usr/share/zorvanel")));
    EXPECT_EQ(SettingsFilePathFor(portable), portable + QStringLiteral("/Zorvanel.ini"));
    EXPECT_EQ(SettingsFilePathFor(installedBin), configPath);

    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

} // namespace
