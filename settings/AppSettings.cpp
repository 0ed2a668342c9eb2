#include "AppSettings.h"

#include "IniFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

TParams AppSettings;
QString SettingsFilePath;

namespace {

const QString General = QStringLiteral("General");
const QString Connection = QStringLiteral("Connection");

} // namespace

QString SettingsFilePathFor(const QString& programDir)
{
    // An installed copy (its data in ../share/zorvanel) keeps the settings in the user's own
    // configuration, even for root, who could write into the programs' folder.
    const bool installed =
        !programDir.isEmpty() && QFileInfo(programDir + QStringLiteral("/../share/zorvanel")).isDir();
    if (!programDir.isEmpty() && !installed && QFileInfo(programDir).isWritable())
        return programDir + QStringLiteral("/Zorvanel.ini");
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zorvanel/Zorvanel.ini");
}

QString DefaultSettingsFilePath()
{
    return SettingsFilePathFor(QCoreApplication::applicationDirPath());
}

TParams ReadParams(const QString& file)
{
    TParams params;
    params.Translator = 0;
    params.Direction = IniReadInteger(file, General, QStringLiteral("Direction"));
    params.AutoPaste = IniReadBool(file, General, QStringLiteral("AutoPaste"));
    params.AutoCopy = IniReadBool(file, General, QStringLiteral("AutoCopy"));
    params.DisplayLanguage = IniReadString(file, General, QStringLiteral("DisplayLanguage"));
    params.NoProxy = IniReadBool(file, Connection, QStringLiteral("NoProxy"));
    // A fresh file, or one the options dialog never filled in, means a direct connection.
    if (IniReadString(file, Connection, QStringLiteral("NoProxy")).isEmpty())
        params.NoProxy = true;
    params.Address = IniReadString(file, Connection, QStringLiteral("Address"));
    params.Port = IniReadString(file, Connection, QStringLiteral("Port"));
    params.UserName = IniReadString(file, Connection, QStringLiteral("UserName"));
    params.Password = IniReadString(file, Connection, QStringLiteral("Password"));
    return params;
}

QStringList ReadClientIds(const QString& file)
{
    QStringList ids;
    const QStringList parts =
        IniReadString(file, Connection, QStringLiteral("Clients")).split(QLatin1Char(','));
    for (const QString& part : parts) {
        const QString id = part.trimmed();
        if (!id.isEmpty())
            ids.append(id);
    }
    return ids;
}
