#pragma once
// One Qt SQL connection to a history file, for the store's own use. Failures throw THistoryError
// with SQLite's own text; the store says which file and what it was doing.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

class THistoryConnection
{
public:
    // Creates the file owner-only when it is missing and opens it, waiting up to busyTimeoutMs
    // for another writer. The folder must exist.
    THistoryConnection(const QString& filePath, int busyTimeoutMs);
    ~THistoryConnection();
    THistoryConnection(const THistoryConnection&) = delete;
    THistoryConnection& operator=(const THistoryConnection&) = delete;

    // Puts the file into WAL mode, where readers and one writer go on side by side; a file
    // stays in it once put.
    void EnterWalMode() const;

    QSqlDatabase Database() const;
    QSqlQuery Prepare(const QString& sql) const;
    static void Exec(QSqlQuery& query);
    void Exec(const QString& sql) const;

private:
    QString FName; // the name Qt SQL knows the connection by
};

// A write transaction that takes the write lock at once, so a second writer waits for it through
// the busy time-out instead of failing half-way. Rolled back unless committed.
class THistoryWriteTransaction
{
public:
    explicit THistoryWriteTransaction(const THistoryConnection& connection);
    ~THistoryWriteTransaction();
    THistoryWriteTransaction(const THistoryWriteTransaction&) = delete;
    THistoryWriteTransaction& operator=(const THistoryWriteTransaction&) = delete;

    void Commit();

private:
    const THistoryConnection& FConnection;
    bool FOpen = true;
};
