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
    bool Check = false;        // try each client id once instead of translating
    bool History = false;      // print the kept translations holding Words instead of translating
    bool HistoryClear = false; // empty the history instead of translating
    bool NoHistory = false;    // translate without keeping the translation
};

inline constexpr char CliUsage[] =
    "usage: zorvanel-translate [--direction 0|1] [--settings FILE] [--no-history] [TEXT ...]\n"
    "       zorvanel-translate --check [--settings FILE]\n"
    "       zorvanel-translate --history [--settings FILE] [WORDS ...]\n"
    "       zorvanel-translate --history-clear [--settings FILE]";

// Throws std::invalid_argument for an unknown option or a bad value, for text with --check or
// --history-clear, and for options that do not go together.
TCliOptions ParseCliOptions(const QStringList& arguments);
