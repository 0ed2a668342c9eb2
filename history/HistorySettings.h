#pragma once
// Whether translations are kept: key "History" of section "General" in the settings file.

#include "HistoryEntry.h"

#include <QString>

class THistoryStore;

// True when the key is missing or empty, or holds a number other than 0.
bool HistoryKept(const QString& settingsFile);

// Writes the key: 1 to keep translations, 0 to keep none.
void SetHistoryKept(const QString& settingsFile, bool kept);

// Adds the entry to the store when the settings file keeps a history; with "History" 0 nothing
// is written and no file is made. Never throws. True when the entry was written.
bool RecordTranslation(THistoryStore& store, const QString& settingsFile,
                       const THistoryEntry& entry) noexcept;
