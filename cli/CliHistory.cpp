#include "CliHistory.h"

#include "HistoryEntry.h"
#include "HistoryError.h"
#include "HistoryPaths.h"
#include "HistorySettings.h"
#include "HistoryStore.h"

#include <QCoreApplication>
#include <QFile>

#include <limits>

namespace {

QString DirectionText(int direction)
{
    return direction == 0 ? QStringLiteral("English → Arabic") : QStringLiteral("Arabic → English");
}

QString EntryText(const THistoryEntry& entry)
{
    return entry.Time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("  ") +
           DirectionText(entry.Direction) + u'\n' + entry.Source + u'\n' + entry.Translation;
}

// A history file that does not exist has nothing in it; it is not made by looking.
template <class TAction> TCliOutcome WithExistingStore(const QString& historyFile, TAction&& action)
{
    if (!QFile::exists(historyFile)) {
        return {QString(), QString(), 0};
    }
    try {
        THistoryStore store(historyFile);
        return action(store);
    } catch (const std::exception& error) {
        return {QString(), QString::fromUtf8(error.what()), 1};
    }
}

} // namespace

QString CliHistoryFile(const QString& settingsOption, const QString& settingsFile)
{
    if (!settingsOption.isEmpty()) {
        return HistoryFilePathBeside(settingsOption);
    }
    return HistoryFilePathFor(settingsFile, QCoreApplication::applicationDirPath());
}

TCliOutcome PrintHistory(const QString& historyFile, const QStringList& words)
{
    return WithExistingStore(historyFile, [&words](THistoryStore& store) {
        const QList<THistoryEntry> entries = store.Search(words.join(u' '), std::numeric_limits<int>::max());
        QStringList texts;
        for (const THistoryEntry& entry : entries) {
            texts.append(EntryText(entry));
        }
        return TCliOutcome{texts.isEmpty() ? QString() : texts.join(QStringLiteral("\n\n")), QString(), 0};
    });
}

TCliOutcome ClearHistory(const QString& historyFile)
{
    return WithExistingStore(historyFile, [](THistoryStore& store) {
        store.Clear();
        return TCliOutcome{QString(), QString(), 0};
    });
}

QString KeepTranslation(const QString& historyFile, const QString& settingsFile, const THistoryEntry& entry)
{
    // A store of its own, so that AddError can only speak of this entry.
    THistoryStore store(historyFile);
    return RecordTranslation(store, settingsFile, entry) ? QString() : store.AddError();
}
