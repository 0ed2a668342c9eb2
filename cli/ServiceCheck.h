#pragma once
// zorvanel-translate --check: which of the endpoint's client ids work from here, for users and
// packagers when the endpoint changes.

#include "CliTranslation.h"

#include <QString>

// Sends one short translation ("Hello", English to Arabic) with each client id of the settings
// in turn, through their proxy, and gives one line per id: the id and "ok" with the
// milliseconds it took, or "refused" or "failed" with the status line or the failure's text.
// Exit code 0 when at least one id works, 1 when none does, 2 for bad settings.
TCliOutcome RunServiceCheck(const QString& settingsFile);
