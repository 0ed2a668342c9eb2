#include "HistoryPaths.h"
#include "HistorySettings.h"
#include "HistoryStore.h"
#include "HistoryTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>
#include <utility>
#include <vector>

namespace {

class HistorySettings : public THistoryTest
{
protected:
    QString SettingsFile() const { return Path(QStringLiteral("Zorvanel.ini")); }

    void WriteSettings(const QByteArray& text) const
    {
        QFile file(SettingsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
};

TEST_F(HistorySettings, TheHistoryKeyTurnsKeepingOffOnlyWhenZero)
{
    struct TCase
    {
        const char* Text;
        bool Kept;
    };
    const TCase cases[] = {
        {"", true},                         // no settings yet
        {"[General]\nDirection=1\n", true}, // from before the history
        {"[General]\nHistory=\n", true},
        {"[General]\nHistory=1\n", true},
        {"[general]\nhistory = 1\n", true},
        {"[General]\nHistory=0\n", false},
        {"[General]\nHistory=\"0\"\n", false},
        {"[Connection]\nHistory=0\n", true}, // another section's key
    };
    for (const TCase& c : cases) {
        WriteSettings(c.Text);
        EXPECT_EQ(HistoryKept(SettingsFile()), c.Kept) << c.Text;
    }
}

TEST_F(HistorySettings, SetHistoryKeptWritesTheKey)
{
    WriteSettings("[General]\nDirection=1\n");
    SetHistoryKept(SettingsFile(), false);
    EXPECT_FALSE(HistoryKept(SettingsFile()));
    SetHistoryKept(SettingsFile(), true);
    EXPECT_TRUE(HistoryKept(SettingsFile()));
}

TEST_F(HistorySettings, WithHistoryZeroNothingIsWrittenAndNoFileMade)
{
    WriteSettings("[General]\nHistory=0\n");
    THistoryStore store(FilePath());
    EXPECT_FALSE(
        RecordTranslation(store, SettingsFile(), Entry(QStringLiteral("secret"), QStringLiteral("سر"))));
    EXPECT_TRUE(store.AddError().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(FilePath()));

    WriteSettings("[General]\nHistory=1\n");
    EXPECT_TRUE(
        RecordTranslation(store, SettingsFile(), Entry(QStringLiteral("kept"), QStringLiteral("محفوظ"))));
    EXPECT_EQ(Sources(store.Newest()), QStringList({QStringLiteral("kept")}));
}

// The environment variables the data folder comes from, put back after each test.
class HistoryPath : public THistoryTest
{
protected:
    void SetUp() override
    {
        for (const char* name : {"XDG_DATA_HOME", "HOME"})
            FSaved.push_back(
                {name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
    }
    void TearDown() override
    {
        for (const auto& [name, value] : FSaved) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }

    std::vector<std::pair<const char*, std::optional<QByteArray>>> FSaved;
};

TEST_F(HistoryPath, APortableCopyKeepsItBesideItsSettings)
{
    const QString program = Path(QStringLiteral("portable"));
    ASSERT_TRUE(QDir().mkdir(program));
    EXPECT_EQ(HistoryFilePathFor(program + QStringLiteral("/Zorvanel.ini"), program),
              program + QStringLiteral("/history.sqlite"));
    // The same folder written another way is still the same folder.
    EXPECT_EQ(HistoryFilePathFor(program + QStringLiteral("/./Zorvanel.ini"), program + QStringLiteral("/")),
              program + QStringLiteral("/history.sqlite"));
}

TEST_F(HistoryPath, AnInstalledCopyKeepsItInTheUsersDataFolder)
{
    const QString program = Path(QStringLiteral("bin"));
    const QString settings = Path(QStringLiteral("config/zorvanel/Zorvanel.ini"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(Path(QStringLiteral("data"))));
    EXPECT_EQ(HistoryFilePathFor(settings, program), Path(QStringLiteral("data/zorvanel/history.sqlite")));

    qunsetenv("XDG_DATA_HOME");
    qputenv("HOME", QFile::encodeName(Path(QStringLiteral("home"))));
    EXPECT_EQ(HistoryFilePathFor(settings, program),
              Path(QStringLiteral("home/.local/share/zorvanel/history.sqlite")));
}

TEST_F(HistoryPath, AGivenSettingsFileBringsItsOwnHistory)
{
    EXPECT_EQ(HistoryFilePathBeside(Path(QStringLiteral("scratch/test.ini"))),
              Path(QStringLiteral("scratch/history.sqlite")));
    EXPECT_EQ(HistoryFilePathBeside(QStringLiteral("relative.ini")),
              QDir::current().filePath(QStringLiteral("history.sqlite")));
}

} // namespace
