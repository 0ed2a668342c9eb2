// zorvanel-translate: translates text between English and Arabic from the command line through
// the same request, headers, worker, decoding and texts as the window.

#include "AppSettings.h"
#include "CliHistory.h"
#include "CliOptions.h"
#include "CliTranslation.h"
#include "ServiceCheck.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <stdexcept>

namespace {

void PrintLine(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

QString ReadStandardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(input.readAll());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zorvanel-translate"));

    TCliOptions options;
    try {
        options = ParseCliOptions(QCoreApplication::arguments());
    } catch (const std::invalid_argument& error) {
        PrintLine(stderr, QStringLiteral("zorvanel-translate: %1").arg(QString::fromUtf8(error.what())));
        PrintLine(stderr, QString::fromLatin1(CliUsage));
        return 2;
    }
    if (options.Help) {
        PrintLine(stdout, QString::fromLatin1(CliUsage));
        PrintLine(stdout, QStringLiteral(
                              "Translates TEXT (or standard input) between English (--direction 0, to "
                              "Arabic) and Arabic (--direction 1, to English).\n"
                              "Without --direction the direction of the settings file is used.\n"
                              "A text of more than 5,000 characters is translated in pieces.\n"
                              "--check sends \"Hello\" once with each client id of the settings and prints\n"
                              "one line per id: \"ok\" and the milliseconds, or \"refused\" or \"failed\"\n"
                              "with the status line or failure text; exit status 0 when one id works.\n"
                              "Each translation is kept in the history, unless --no-history is given or\n"
                              "the settings turn it off; --history prints the kept translations holding\n"
                              "every WORD (all of them without words), newest first; --history-clear\n"
                              "empties the history."));
        return 0;
    }

    const QString settingsFile =
        options.SettingsFile.isEmpty() ? DefaultSettingsFilePath() : options.SettingsFile;
    const QString historyFile = CliHistoryFile(options.SettingsFile, settingsFile);
    TCliOutcome outcome;
    if (options.Check) {
        outcome = RunServiceCheck(settingsFile);
    } else if (options.History) {
        outcome = PrintHistory(historyFile, options.Words);
    } else if (options.HistoryClear) {
        outcome = ClearHistory(historyFile);
    } else {
        outcome =
            RunCliTranslation(options.Words.isEmpty() ? ReadStandardInput() : options.Words.join(u' '),
                              settingsFile, options.Direction, options.NoHistory ? QString() : historyFile);
    }
    if (!outcome.Output.isNull()) {
        PrintLine(stdout, outcome.Output);
    }
    if (!outcome.Error.isEmpty()) {
        PrintLine(stderr, outcome.Error);
    }
    return outcome.ExitCode;
}
