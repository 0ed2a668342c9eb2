#pragma once
// Where the history file lives. The store itself takes any path; these say which one the
// programs use.

#include <QString>

// "history.sqlite" in the folder of the settings file: for the command-line companion run with
// --settings FILE, so that a scratch settings file brings its own history.
QString HistoryFilePathBeside(const QString& settingsFile);

// Beside the settings file when that lies in the program's folder (a portable copy), else
// $XDG_DATA_HOME/zorvanel/history.sqlite ($XDG_DATA_HOME defaulting to ~/.local/share).
QString HistoryFilePathFor(const QString& settingsFile, const QString& programDir);

// The same for the running program and its settings file: SettingsFilePath once set, else
// DefaultSettingsFilePath().
QString DefaultHistoryFilePath();
