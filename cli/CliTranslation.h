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

// Runs inside a QCoreApplication. A SIGINT cancels the request in flight (exit code 130).
TCliOutcome RunCliTranslation(const QString& text, const QString& settingsFile, std::optional<int> direction);
