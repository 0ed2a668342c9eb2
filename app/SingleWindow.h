#pragma once
// One window per settings file. The first start owns a well-known name on the session bus and
// serves the translator object there; a later start with the same settings hands its request
// to that window and ends. Without a session bus every start opens its own window.

#include "WindowOptions.h"

#include <QDBusConnection>
#include <QString>

class QObject;

// "org.zorvanel.Translator" for the installed copy; a portable copy (its settings file beside
// the program) adds a suffix made from its settings file's path, so that copies with different
// settings never hand work to each other.
QString TranslatorServiceName(const QString& settingsFile, const QString& programDir);

class TSingleWindow
{
public:
    explicit TSingleWindow(const QString& serviceName);

    // Sends the request to the window that owns the name; false when there is none (or no bus),
    // so that this start opens the window itself.
    bool HandToRunningWindow(const TWindowRequest& request);

    // Serves service at the object path and takes the name; false when the name could not be
    // had (the window then runs without the bus). Claiming the name is the test of who is first,
    // so two starts at once cannot both open a window.
    bool Publish(QObject& service);

    // Another process owns the name.
    bool NameIsTaken() const;

private:
    QDBusConnection FBus;
    const QString FServiceName;
};
