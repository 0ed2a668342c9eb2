#include "HistorySettings.h"

#include "HistoryStore.h"
#include "IniFiles.h"

namespace {

const QString General = QStringLiteral("General");
const QString History = QStringLiteral("History");

} // namespace

bool HistoryKept(const QString& settingsFile)
{
    // A settings file from before the history, or one nobody changed, keeps it.
    return IniReadString(settingsFile, General, History).isEmpty() ||
           IniReadBool(settingsFile, General, History);
}

void SetHistoryKept(const QString& settingsFile, bool kept)
{
    IniWriteBool(settingsFile, General, History, kept);
}

bool RecordTranslation(THistoryStore& store, const QString& settingsFile, const THistoryEntry& entry) noexcept
{
    try {
        if (!HistoryKept(settingsFile))
            return false;
    } catch (...) {
        // A settings file that cannot be read is no reason to stop keeping translations.
    }
    return store.Add(entry);
}
