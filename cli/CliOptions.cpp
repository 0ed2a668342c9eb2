#include "CliOptions.h"

#include <stdexcept>

TCliOptions ParseCliOptions(const QStringList& arguments)
{
    TCliOptions options;
    bool onlyWords = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (onlyWords || !argument.startsWith(u'-') || argument == u"-") {
            options.Words.append(argument);
            continue;
        }
        const qsizetype eq = argument.indexOf(u'=');
        const QString name = eq < 0 ? argument : argument.left(eq);
        const auto value = [&]() -> QString {
            if (eq >= 0) {
                return argument.mid(eq + 1);
            }
            if (i + 1 >= arguments.size()) {
                throw std::invalid_argument("missing value for " + name.toStdString());
            }
            return arguments[++i];
        };
        if (name == u"--") {
            onlyWords = true;
        } else if (name == u"--help" || name == u"-h") {
            options.Help = true;
        } else if (name == u"--check") {
            options.Check = true;
        } else if (name == u"--history") {
            options.History = true;
        } else if (name == u"--history-clear") {
            options.HistoryClear = true;
        } else if (name == u"--no-history") {
            options.NoHistory = true;
        } else if (name == u"--direction") {
            const QString direction = value();
            if (direction != u"0" && direction != u"1") {
                throw std::invalid_argument("--direction takes 0 or 1");
            }
            options.Direction = direction.toInt();
        } else if (name == u"--settings") {
            options.SettingsFile = value();
            if (options.SettingsFile.isEmpty()) {
                throw std::invalid_argument("--settings takes a file name");
            }
        } else {
            throw std::invalid_argument("unknown option " + argument.toStdString());
        }
    }
    if (options.Check && !options.Words.isEmpty()) {
        throw std::invalid_argument("--check takes no text");
    }
    if (options.HistoryClear && !options.Words.isEmpty()) {
        throw std::invalid_argument("--history-clear takes no text");
    }
    if (int(options.Check) + int(options.History) + int(options.HistoryClear) > 1) {
        throw std::invalid_argument("--check, --history and --history-clear go one at a time");
    }
    const bool translates = !options.Check && !options.History && !options.HistoryClear;
    if (options.NoHistory && !translates) {
        throw std::invalid_argument("--no-history goes with a translation only");
    }
    if (options.Direction && !translates) {
        throw std::invalid_argument("--direction goes with a translation only");
    }
    return options;
}
