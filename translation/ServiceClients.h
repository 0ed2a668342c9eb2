#pragma once
// The endpoint refuses some client ids from time to time while others still work, so a
// translation tries the ids in turn. For the rest of the run the id that last worked goes first
// and the ids it refused go last.

#include <QString>
#include <QStringList>

class THttpError;

// gtx, at, dict-chrome-ex
QStringList DefaultClientIds();

// The ids to try, in order: the configured ones (or the defaults when none are configured),
// those refused in this run moved to the end in the order of their refusal, and the one that
// last worked moved to the front.
QStringList ClientIdsToTry(const QStringList& configured);

// Any thread.
void RememberWorkingClientId(const QString& clientId);
void RememberRefusedClientId(const QString& clientId);
// Forgets both, as at the start of a run.
void ForgetClientIdHistory();

// How the endpoint refuses a client id: 429, 403 or 503, or a redirect (302, 303) to its
// "sorry" page. Any other failure, other redirects included, is the translation's own.
bool IsClientRefusal(const THttpError& error);
