#pragma once
// The command line of zorvanel-translate.

#include <QString>
#include <QStringList>

#include <optional>

struct TCliOptions
{
    std::optional<int> Direction; // 0 English to Arabic, 1 Arabic to English
    QString SettingsFile;         // empty: the program's usual settings file
    QStringList Words;            // the text, when given as arguments
    bool Help = false;
};

inline constexpr char CliUsage[] = "usage: zorvanel-translate [--direction 0|1] [--settings FILE] [TEXT ...]";

// Throws std::invalid_argument for an unknown option or a bad value.
TCliOptions ParseCliOptions(const QStringList& arguments);
