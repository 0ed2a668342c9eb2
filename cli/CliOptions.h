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
    bool Check = false; // try each client id once instead of translating
};

inline constexpr char CliUsage[] =
    "usage: zorvanel-translate [--direction 0|1] [--settings FILE] [TEXT ...]\n"
    "       zorvanel-translate --check [--settings FILE]";

// Throws std::invalid_argument for an unknown option or a bad value, and for text with --check.
TCliOptions ParseCliOptions(const QStringList& arguments);
