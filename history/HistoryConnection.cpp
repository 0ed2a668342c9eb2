#include "HistoryConnection.h"

#include "HistoryError.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace {

QAtomicInteger<quint64> ConnectionCount;

QString ErrorText(const QSqlError& error)
{
    // SQLite's own words ("database is locked", "file is not a database") say the most.
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

void CreateOwnerOnly(const QString& filePath)
{
    // SQLite would create the file readable by all; its journal files take the file's mode, so
    // making the file first keeps all of them the owner's alone. NewOnly leaves a file another
    // process created in the meantime as it is.
    if (QFileInfo::exists(filePath))
        return;
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
        !QFileInfo::exists(filePath))
        throw THistoryError(file.errorString());
}

} // namespace

THistoryConnection::THistoryConnection(const QString& filePath, int busyTimeoutMs)
    : FName(QStringLiteral("zorvanel-history-%1").arg(ConnectionCount.fetchAndAddRelaxed(1)))
{
    CreateOwnerOnly(filePath);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
    if (!db.isValid()) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(FName);
        throw THistoryError(QStringLiteral("the SQLite driver of Qt SQL is missing"));
    }
    db.setDatabaseName(filePath);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    try {
        if (!db.open())
            throw THistoryError(ErrorText(db.lastError()));
        // Entries are added on the window's thread right after a translation is shown, so a
        // commit must not wait for the disk. In WAL mode this syncs the log only at checkpoints:
        // a crash of the program loses nothing, a power cut at most the entries since the last
        // checkpoint, and the file is never damaged.
        Exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(FName);
        throw;
    }
}

THistoryConnection::~THistoryConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(FName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(FName);
}

void THistoryConnection::EnterWalMode() const
{
    QSqlQuery mode = Prepare(QStringLiteral("PRAGMA journal_mode = WAL"));
    Exec(mode);
    if (!mode.next() || mode.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        throw THistoryError(QStringLiteral("the file cannot be put into WAL mode"));
}

QSqlDatabase THistoryConnection::Database() const
{
    return QSqlDatabase::database(FName, false);
}

QSqlQuery THistoryConnection::Prepare(const QString& sql) const
{
    QSqlQuery query(Database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw THistoryError(ErrorText(query.lastError()));
    return query;
}

void THistoryConnection::Exec(QSqlQuery& query)
{
    if (!query.exec())
        throw THistoryError(ErrorText(query.lastError()));
}

void THistoryConnection::Exec(const QString& sql) const
{
    QSqlQuery query = Prepare(sql);
    Exec(query);
}

THistoryWriteTransaction::THistoryWriteTransaction(const THistoryConnection& connection)
    : FConnection(connection)
{
    FConnection.Exec(QStringLiteral("BEGIN IMMEDIATE"));
}

THistoryWriteTransaction::~THistoryWriteTransaction()
{
    if (!FOpen)
        return;
    QSqlQuery rollback(FConnection.Database());
    rollback.exec(QStringLiteral("ROLLBACK"));
}

void THistoryWriteTransaction::Commit()
{
    FConnection.Exec(QStringLiteral("COMMIT"));
    FOpen = false;
}
