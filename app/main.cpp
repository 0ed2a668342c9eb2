// Zorvanel Translator: the program entry reads the command line, hands the request to a window
// already running with the same settings, or creates the main window and runs the event loop
// until that window closes.

#include "AppSettings.h"
#include "GlobalShortcut.h"
#include "QuitOnSignal.h"
#include "SingleWindow.h"
#include "TApplication.h"
#include "TranslatorService.h"
#include "WindowOptions.h"
#include "frm_About.h"
#include "frm_Main.h"

#include <QTimer>

#include <cstdio>

namespace {

void Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

QStringList ArgumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

} // namespace

int main(int argc, char* argv[])
{
    // Read before the application exists, so that --help and --version need no display.
    const TWindowOptions options = ParseWindowOptions(ArgumentsOf(argc, argv));
    if (!options.Error.isEmpty()) {
        Print(stderr, QStringLiteral("zorvanel: ") + options.Error);
        Print(stderr, WindowUsageLine());
        return 2;
    }
    if (options.Help) {
        Print(stdout, WindowHelpText());
        return 0;
    }
    if (options.Version) {
        Print(stdout, QString::fromLatin1(AboutProduct) + u' ' + QString::fromLatin1(AboutVersion));
        return 0;
    }

    TApplication app(argc, argv);
    // Lets the desktop match the window with its entry and icon (Wayland in particular).
    QGuiApplication::setDesktopFileName(QStringLiteral(ZORVANEL_APP_ID));

    const QString settingsFile = DefaultSettingsFilePath();
    TSingleWindow single(TranslatorServiceName(settingsFile, QCoreApplication::applicationDirPath()));
    if (single.HandToRunningWindow(options.Request)) {
        return 0;
    }

    const TQuitOnSignal quitOnSignal;
    TfrmMain window;
    auto* service = new TTranslatorService(window);
    // Two starts at once both get here; only one can take the name, the other hands over.
    if (!single.Publish(*service) && single.NameIsTaken() && single.HandToRunningWindow(options.Request)) {
        return 0;
    }
    window.show();
    if (options.Explicit) {
        QTimer::singleShot(0, service, [service, request = options.Request] { service->Request(request); });
    }

    const QKeySequence keys = SelectionShortcutFrom(settingsFile);
    TGlobalShortcut shortcut(keys, [service] { service->TranslateSelection(); });
    if (shortcut.State() == TGlobalShortcut::Held || shortcut.State() == TGlobalShortcut::Unsupported) {
        Print(stderr,
              shortcut.State() == TGlobalShortcut::Held
                  ? QStringLiteral("zorvanel: the shortcut %1 is held by another program; it stays off")
                        .arg(keys.toString())
                  : QStringLiteral("zorvanel: the shortcut %1 cannot be grabbed; it stays off")
                        .arg(keys.toString()));
    }
    return TApplication::exec();
}
