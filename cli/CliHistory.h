#pragma once
// The history from the command line: where it lies, what it holds, emptied, and each
// translation kept.

#include "CliTranslation.h"

#include <QString>
#include <QStringList>

struct THistoryEntry;

// Beside FILE when --settings FILE is given, so that a scratch settings file brings its own
// history; else where the window keeps it for these settings.
QString CliHistoryFile(const QString& settingsOption, const QString& settingsFile);

// The entries holding every word, newest first, each as its time, direction, source and
// translation, with a blank line between entries. No words: every entry.
TCliOutcome PrintHistory(const QString& historyFile, const QStringList& words);

// Removes every entry.
TCliOutcome ClearHistory(const QString& historyFile);

// Keeps a translation unless the settings turn the history off. Never fails the translation:
// what went wrong comes back as a text for standard error, empty when it was kept.
QString KeepTranslation(const QString& historyFile, const QString& settingsFile, const THistoryEntry& entry);
