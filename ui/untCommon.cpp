#include "untCommon.h"

#include "AppServices.h"
#include "ApplicationTitle.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QResource>
#include <QThread>

#include <cassert>
#include <memory>

namespace {

const char CopyrightFormat[] = "Copyright (c) %s Zorvanel Software. All rights reserved.";
const char ResourceNotFoundFormat[] = "Resource %s not found";
const char ResourceLibraryName[] = "QuembrikSys.DLL";

// The resource library registered with Qt's resource system for one scope. A file that is missing
// or no resource file registers nothing; its resources are then simply not found.
class TRegisteredResourceFile
{
public:
    explicit TRegisteredResourceFile(const QString& path)
        : FPath(path), FRegistered(QResource::registerResource(path))
    {
    }
    ~TRegisteredResourceFile()
    {
        if (FRegistered)
            QResource::unregisterResource(FPath);
    }
    TRegisteredResourceFile(const TRegisteredResourceFile&) = delete;
    TRegisteredResourceFile& operator=(const TRegisteredResourceFile&) = delete;

private:
    QString FPath;
    bool FRegistered;
};

[[noreturn]] void ThrowResourceNotFound(const QString& resourceName)
{
    throw TLoadingAnimationError(
        QString::asprintf(ResourceNotFoundFormat, resourceName.toUtf8().constData()).toStdString());
}

QByteArray ReadGifResource(const QString& libraryPath, const QString& resourceName)
{
    const TRegisteredResourceFile library(libraryPath);
    QFile resource(QStringLiteral(":/GIF/") + resourceName);
    if (!resource.open(QIODevice::ReadOnly))
        ThrowResourceNotFound(resourceName);
    // A copy: the library's bytes go away with the registration.
    return resource.readAll();
}

// Frees the movie a label played, if it is one of ours (a child of the label).
void FreeMovie(QLabel* image, QMovie* movie)
{
    if (movie && movie->parent() == image)
        const std::unique_ptr<QMovie> owned(movie);
}

} // namespace

QString CopyrightNotice()
{
    const QString year = QDate::currentDate().toString(QStringLiteral("yyyy"));
    return QString::asprintf(CopyrightFormat, year.toUtf8().constData());
}

QString ResourceLibraryPath()
{
    const QString exeDir = QCoreApplication::applicationDirPath() + u'/';
    const QString beside = exeDir + QLatin1String(ResourceLibraryName);
    if (QFileInfo(beside).isFile())
        return beside;
    const QString installed =
        exeDir + QStringLiteral("../share/zorvanel/") + QLatin1String(ResourceLibraryName);
    if (QFileInfo(installed).isFile())
        return installed;
    return beside;
}

void ShowLoadingAnimation(QLabel* image, const QString& name)
{
    ShowLoadingAnimation(image, name, ResourceLibraryPath());
}

void ShowLoadingAnimation(QLabel* image, const QString& name, const QString& libraryPath)
{
    const QByteArray bytes = ReadGifResource(libraryPath, name.toUpper());

    auto movie = std::make_unique<QMovie>();
    auto* buffer = new QBuffer(movie.get());
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    movie->setDevice(buffer);
    if (!movie->isValid())
        throw TLoadingAnimationError(movie->lastErrorString().toStdString());

    QMovie* previous = image->movie();
    movie->setParent(image);
    image->setMovie(movie.get());
    QMovie* playing = movie.release();
    playing->start();
    FreeMovie(image, previous);
}

void ClearLoadingAnimation(QLabel* image)
{
    QMovie* movie = image->movie();
    image->clear();
    FreeMovie(image, movie);
}

int ShowAppMessage(const QString& text, int kind)
{
    assert(QThread::currentThread() == QCoreApplication::instance()->thread());
    return AppServices().ShowMessage(QApplication::activeWindow(), ApplicationTitle(),
                                     text, kind);
}
