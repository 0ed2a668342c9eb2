#include "ServiceClients.h"

#include <mutex>

namespace {

std::mutex WorkingIdMutex;
QString WorkingId;

} // namespace

QStringList DefaultClientIds()
{
    return {QStringLiteral("gtx"), QStringLiteral("at"), QStringLiteral("dict-chrome-ex")};
}

QStringList ClientIdsToTry(const QStringList& configured)
{
    QStringList ids = configured.isEmpty() ? DefaultClientIds() : configured;
    std::lock_guard lock(WorkingIdMutex);
    if (const qsizetype at = ids.indexOf(WorkingId); at > 0) {
        ids.move(at, 0);
    }
    return ids;
}

void RememberWorkingClientId(const QString& clientId)
{
    std::lock_guard lock(WorkingIdMutex);
    WorkingId = clientId;
}

bool IsClientRefusal(int statusCode)
{
    return statusCode == 429 || statusCode == 403 || statusCode == 503;
}
