#include "SingleWindow.h"

#include "TranslatorService.h"

#include <QCryptographicHash>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QFileInfo>

QString TranslatorServiceName(const QString& settingsFile, const QString& programDir)
{
    const QString base = QString::fromLatin1(TranslatorInterface);
    const QFileInfo settings(settingsFile);
    const QString settingsDir = QDir(settings.absolutePath()).canonicalPath();
    if (settingsDir.isEmpty() || settingsDir != QDir(programDir).canonicalPath()) {
        return base;
    }
    // A bus name element holds letters, digits and "_" and must not begin with a digit.
    const QByteArray digest =
        QCryptographicHash::hash(QFileInfo(settingsDir, settings.fileName()).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return base + QStringLiteral(".Portable_") + QString::fromLatin1(digest);
}

TSingleWindow::TSingleWindow(const QString& serviceName)
    : FBus(QDBusConnection::sessionBus()), FServiceName(serviceName)
{
}

bool TSingleWindow::NameIsTaken() const
{
    return FBus.isConnected() && FBus.interface()->isServiceRegistered(FServiceName).value();
}

bool TSingleWindow::HandToRunningWindow(const TWindowRequest& request)
{
    if (!NameIsTaken()) {
        return false;
    }
    QString method;
    QVariantList arguments;
    switch (request.Kind) {
    case TWindowRequest::Show:
        method = QStringLiteral("Show");
        break;
    case TWindowRequest::TranslateText:
        method = QStringLiteral("TranslateText");
        arguments = {request.Text};
        break;
    case TWindowRequest::TranslateClipboard:
        method = QStringLiteral("TranslateClipboard");
        break;
    case TWindowRequest::TranslateSelection:
        method = QStringLiteral("TranslateSelection");
        break;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(FServiceName, QString::fromLatin1(TranslatorObjectPath),
                                       QString::fromLatin1(TranslatorInterface), method);
    call.setArguments(arguments);
    const QDBusMessage reply = FBus.call(call);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool TSingleWindow::Publish(QObject& service)
{
    if (!FBus.isConnected()) {
        return false;
    }
    const QString path = QString::fromLatin1(TranslatorObjectPath);
    if (!FBus.registerObject(path, &service,
                             QDBusConnection::ExportScriptableSlots |
                                 QDBusConnection::ExportScriptableProperties)) {
        return false;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        FBus.interface()->registerService(FServiceName, QDBusConnectionInterface::DontQueueService,
                                          QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        FBus.unregisterObject(path);
        return false;
    }
    return true;
}
