#include "ServiceClients.h"

#include "HttpFailure.h"

#include <QUrl>

#include <mutex>

namespace {

std::mutex HistoryMutex;
QString WorkingId;
QStringList RefusedIds; // first refused first

bool IsSorryPage(const QByteArray& location)
{
    // The Location may be a path or a whole URL; only its path counts.
    return QUrl(QString::fromLatin1(location)).path().startsWith(QLatin1String("/sorry"));
}

} // namespace

QStringList DefaultClientIds()
{
    return {QStringLiteral("gtx"), QStringLiteral("at"), QStringLiteral("dict-chrome-ex")};
}

QStringList ClientIdsToTry(const QStringList& configured)
{
    QStringList ids = configured.isEmpty() ? DefaultClientIds() : configured;
    std::lock_guard lock(HistoryMutex);
    for (const QString& refused : RefusedIds) {
        if (const qsizetype at = ids.indexOf(refused); at >= 0) {
            ids.move(at, ids.size() - 1);
        }
    }
    if (const qsizetype at = ids.indexOf(WorkingId); at > 0) {
        ids.move(at, 0);
    }
    return ids;
}

void RememberWorkingClientId(const QString& clientId)
{
    std::lock_guard lock(HistoryMutex);
    WorkingId = clientId;
    RefusedIds.removeAll(clientId);
}

void RememberRefusedClientId(const QString& clientId)
{
    std::lock_guard lock(HistoryMutex);
    if (WorkingId == clientId) {
        WorkingId.clear();
    }
    RefusedIds.removeAll(clientId);
    RefusedIds.append(clientId);
}

void ForgetClientIdHistory()
{
    std::lock_guard lock(HistoryMutex);
    WorkingId.clear();
    RefusedIds.clear();
}

bool IsClientRefusal(const THttpError& error)
{
    switch (error.StatusCode()) {
    case 429:
    case 403:
    case 503:
        return true;
    case 302:
    case 303:
        return IsSorryPage(error.Location());
    default:
        return false;
    }
}
