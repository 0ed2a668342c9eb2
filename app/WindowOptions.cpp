#include "WindowOptions.h"

#include <QCommandLineParser>

namespace {

const QString TranslateOption = QStringLiteral("translate");
const QString ClipboardOption = QStringLiteral("translate-clipboard");
const QString SelectionOption = QStringLiteral("translate-selection");
const QString ShowOption = QStringLiteral("show");
const QString HelpOption = QStringLiteral("help");
const QString VersionOption = QStringLiteral("version");

} // namespace

TWindowOptions ParseWindowOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOptions({
        {TranslateOption, QString(), QStringLiteral("TEXT")},
        {ClipboardOption, QString()},
        {SelectionOption, QString()},
        {ShowOption, QString()},
        {{QStringLiteral("h"), HelpOption}, QString()},
        {VersionOption, QString()},
    });

    TWindowOptions options;
    // The parser wants the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("zorvanel")} + arguments)) {
        options.Error = parser.errorText();
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.Error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
        return options;
    }
    // Each option as often as it was given.
    const QStringList requests = {TranslateOption, ClipboardOption, SelectionOption, ShowOption};
    qsizetype named = 0;
    for (const QString& name : parser.optionNames()) {
        named += requests.contains(name) ? 1 : 0;
    }
    if (named > 1) {
        options.Error =
            QStringLiteral("Only one of --translate, --translate-clipboard, --translate-selection and "
                           "--show may be given.");
        return options;
    }
    options.Help = parser.isSet(HelpOption);
    options.Version = parser.isSet(VersionOption);
    options.Explicit = named == 1;
    if (parser.isSet(TranslateOption)) {
        options.Request = {TWindowRequest::TranslateText, parser.value(TranslateOption)};
    } else if (parser.isSet(ClipboardOption)) {
        options.Request.Kind = TWindowRequest::TranslateClipboard;
    } else if (parser.isSet(SelectionOption)) {
        options.Request.Kind = TWindowRequest::TranslateSelection;
    }
    return options;
}

QString WindowUsageLine()
{
    return QStringLiteral("Usage: zorvanel [--translate TEXT | --translate-clipboard | --translate-selection "
                          "| --show] [--help] "
                          "[--version]");
}

QString WindowHelpText()
{
    return WindowUsageLine() + QStringLiteral(R"(

Translates text between English and Arabic. Without an option the window opens, or the window
already open with the same settings comes to the front.

  --translate TEXT         translate TEXT in the window
  --translate-clipboard    translate the text on the clipboard
  --translate-selection    translate the selected text (the primary selection)
  --show                   show the window
  --help                   print this help and exit
  --version                print the product and its version and exit

A request goes to the window already running with the same settings, over the session bus,
and the new process exits at once; with none running, the window opens and carries it out.
)");
}
