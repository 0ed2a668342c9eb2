#pragma once
// One translation from the command line, start to end.

#include <QString>

#include <optional>

struct TCliOutcome
{
    QString Output; // the translation (null when there is none)
    QString Error;  // a text for standard error
    int ExitCode = 0;
};

// Runs inside a QCoreApplication. A SIGINT cancels the request in flight (exit code 130). A
// translation that succeeds is kept in historyFile unless it is empty; a history that cannot be
// written leaves the translation as it is and adds a line to Error.
TCliOutcome RunCliTranslation(const QString& text, const QString& settingsFile, std::optional<int> direction,
                              const QString& historyFile = {});
