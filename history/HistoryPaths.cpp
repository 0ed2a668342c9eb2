#include "HistoryPaths.h"

#include "AppSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString FileName = QStringLiteral("history.sqlite");

} // namespace

QString HistoryFilePathBeside(const QString& settingsFile)
{
    return QFileInfo(settingsFile).absoluteDir().filePath(FileName);
}

QString HistoryFilePathFor(const QString& settingsFile, const QString& programDir)
{
    // The settings path decides: a portable copy keeps all it writes in its own folder.
    if (!programDir.isEmpty() && QFileInfo(settingsFile).absoluteDir() == QDir(programDir))
        return HistoryFilePathBeside(settingsFile);
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zorvanel/") + FileName;
}

QString DefaultHistoryFilePath()
{
    const QString settingsFile = SettingsFilePath.isEmpty() ? DefaultSettingsFilePath() : SettingsFilePath;
    return HistoryFilePathFor(settingsFile, QCoreApplication::applicationDirPath());
}
