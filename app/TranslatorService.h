#pragma once
// The window's interface on the session bus, org.zorvanel.Translator at /org/zorvanel/Translator,
// and the one place where requests from outside the window (the bus, a second start, the global
// shortcut) are carried out, in order, one translation at a time.

#include "WindowOptions.h"

#include <QObject>
#include <QString>

#include <optional>

class TfrmMain;

inline constexpr char TranslatorObjectPath[] = "/org/zorvanel/Translator";
inline constexpr char TranslatorInterface[] = "org.zorvanel.Translator";

class TTranslatorService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.zorvanel.Translator")
    Q_PROPERTY(bool Busy READ Busy)

public:
    explicit TTranslatorService(TfrmMain& window);

    // A translation is in flight.
    bool Busy() const;

    // Carried out at once, or, while a translation is in flight, when it ends; a newer request
    // replaces one that waits. The clipboard and the selection are read now, when asked.
    void Request(const TWindowRequest& request);

public slots:
    Q_SCRIPTABLE void Show();
    Q_SCRIPTABLE void TranslateText(const QString& text);
    Q_SCRIPTABLE void TranslateClipboard();
    Q_SCRIPTABLE void TranslateSelection();

private:
    void RunWaiting();

    TfrmMain& FWindow;
    std::optional<QString> FWaiting;
};

// The primary selection where the platform has one (X11, and Wayland desktops that offer it),
// else the clipboard.
QString ReadSelectionText();
