#pragma once
// The endpoint refuses some client ids from time to time (429, 403 or 503) while others still
// work, so a translation tries the ids in turn. The id that last worked goes first for the rest
// of the run.

#include <QString>
#include <QStringList>

// gtx, at, dict-chrome-ex
QStringList DefaultClientIds();

// The ids to try, in order: the configured ones (or the defaults when none are configured),
// with the one that last worked moved to the front.
QStringList ClientIdsToTry(const QStringList& configured);

// Any thread.
void RememberWorkingClientId(const QString& clientId);

// The statuses with which the endpoint refuses a client id.
bool IsClientRefusal(int statusCode);
