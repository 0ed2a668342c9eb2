#pragma once
// The translation history in one SQLite file: entries kept, found again by words, removed.
//
// The file is opened when first needed, so making a store costs nothing; a failed open is tried
// again by the next call. One thread uses a store: the one that made it, inside a running
// QCoreApplication (Qt SQL loads its SQLite driver through it). Several processes may use the
// same file at once; a writer waits for another up to the busy time-out.

#include "HistoryEntry.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <memory>

class THistoryConnection;

class THistoryStore
{
public:
    static constexpr int DefaultBusyTimeoutMs = 2000;
    static constexpr int DefaultLimit = 200;

    // filePath: the history file (see HistoryPaths.h); its folder is made when missing.
    explicit THistoryStore(const QString& filePath, int busyTimeoutMs = DefaultBusyTimeoutMs);
    ~THistoryStore();
    THistoryStore(const THistoryStore&) = delete;
    THistoryStore& operator=(const THistoryStore&) = delete;

    const QString& FilePath() const { return FFilePath; }

    // Keeps a translation as the newest entry. A source already kept with the same direction
    // takes the new time, translation and client id instead of a second entry, and so comes
    // first again (with a new Id). Never throws: a translation goes on whatever happens to its
    // history. False when nothing was written; AddError() then says why.
    bool Add(const THistoryEntry& entry) noexcept;

    // Why the latest Add wrote nothing; empty when it succeeded or there was none.
    const QString& AddError() const { return FAddError; }

    // The entries newest first, at most limit of them. Newest is the last kept: a clock set back
    // does not put a new translation below older ones.
    QList<THistoryEntry> Newest(int limit = DefaultLimit);

    // The entries whose source or translation holds every word of the text (see
    // SearchMatchExpression), newest first, at most limit. A text without words gives Newest.
    QList<THistoryEntry> Search(const QString& text, int limit = DefaultLimit);

    // Removes the entries of these ids; ids not kept are passed over.
    void Remove(const QList<int64_t>& ids);

    // Removes every entry, and the removed text from the file's free space.
    void Clear();

    // Newest, Search, Remove and Clear throw THistoryError, its text naming the file.

private:
    THistoryConnection& Connection();
    void Write(const THistoryEntry& entry);
    QString FailureText(const QString& doing, const char* reason) const;
    [[noreturn]] void Fail(const QString& doing, const std::exception& error) const;

    QString FFilePath;
    int FBusyTimeoutMs;
    std::unique_ptr<THistoryConnection> FConnection;
    QString FAddError;
};
