#include "HistoryStore.h"

#include "HistoryConnection.h"
#include "HistoryError.h"
#include "HistorySchema.h"
#include "SearchQuery.h"
#include "SearchText.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

namespace {

const QString EntryColumns = QStringLiteral("entries.id, entries.time, entries.direction, entries.source,"
                                            " entries.translation, entries.client_id");

// A null QString would reach SQLite as NULL, which no text column takes.
QString NotNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QList<THistoryEntry> ReadEntries(QSqlQuery& query)
{
    THistoryConnection::Exec(query);
    QList<THistoryEntry> entries;
    while (query.next()) {
        THistoryEntry& entry = entries.emplace_back();
        entry.Id = query.value(0).toLongLong();
        entry.Time = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong(), Qt::UTC);
        entry.Direction = query.value(2).toInt();
        entry.Source = query.value(3).toString();
        entry.Translation = query.value(4).toString();
        entry.ClientId = query.value(5).toString();
    }
    return entries;
}

} // namespace

THistoryStore::THistoryStore(const QString& filePath, int busyTimeoutMs)
    : FFilePath(filePath), FBusyTimeoutMs(busyTimeoutMs)
{
}

THistoryStore::~THistoryStore() = default;

THistoryConnection& THistoryStore::Connection()
{
    if (!FConnection) {
        QDir().mkpath(QFileInfo(FFilePath).absolutePath());
        auto connection = std::make_unique<THistoryConnection>(FFilePath, FBusyTimeoutMs);
        // Another program's database or one of a later layout is refused before anything in it
        // changes, even its journal mode.
        CheckHistorySchema(*connection);
        connection->EnterWalMode();
        MigrateHistorySchema(*connection);
        FConnection = std::move(connection);
    }
    return *FConnection;
}

QString THistoryStore::FailureText(const QString& doing, const char* reason) const
{
    return QStringLiteral("Cannot %1 the history file %2: %3")
        .arg(doing, QDir::toNativeSeparators(FFilePath), QString::fromUtf8(reason));
}

void THistoryStore::Fail(const QString& doing, const std::exception& error) const
{
    throw THistoryError(FailureText(doing, error.what()));
}

bool THistoryStore::Add(const THistoryEntry& entry) noexcept
{
    try {
        Write(entry);
        FAddError.clear();
        return true;
    } catch (const std::exception& error) {
        FAddError = FailureText(QStringLiteral("write to"), error.what());
    } catch (...) {
        FAddError = FailureText(QStringLiteral("write to"), "unknown failure");
    }
    return false;
}

void THistoryStore::Write(const THistoryEntry& entry)
{
    const QDateTime time = entry.Time.isValid() ? entry.Time : QDateTime::currentDateTimeUtc();
    const int direction = entry.Direction == 0 ? 0 : 1;
    const THistoryConnection& connection = Connection();
    THistoryWriteTransaction transaction(connection);
    {
        // Kept again, an entry is numbered anew: the order of numbers stays the order of keeping,
        // which lets a search read its matches newest first and stop at the limit.
        QSqlQuery previous = connection.Prepare(
            QStringLiteral("DELETE FROM entries WHERE direction = :direction AND source = :source"));
        previous.bindValue(QStringLiteral(":direction"), direction);
        previous.bindValue(QStringLiteral(":source"), NotNull(entry.Source));
        THistoryConnection::Exec(previous);

        QSqlQuery insert = connection.Prepare(QStringLiteral(
            "INSERT INTO entries (time, direction, source, translation, client_id, source_search,"
            " translation_search) VALUES (:time, :direction, :source, :translation, :client, :sourceSearch,"
            " :translationSearch)"));
        insert.bindValue(QStringLiteral(":time"), time.toMSecsSinceEpoch());
        insert.bindValue(QStringLiteral(":direction"), direction);
        insert.bindValue(QStringLiteral(":source"), NotNull(entry.Source));
        insert.bindValue(QStringLiteral(":translation"), NotNull(entry.Translation));
        insert.bindValue(QStringLiteral(":client"), NotNull(entry.ClientId));
        insert.bindValue(QStringLiteral(":sourceSearch"), NormalizeSearchText(entry.Source));
        insert.bindValue(QStringLiteral(":translationSearch"), NormalizeSearchText(entry.Translation));
        THistoryConnection::Exec(insert);
    }
    transaction.Commit();
}

QList<THistoryEntry> THistoryStore::Newest(int limit)
{
    try {
        QSqlQuery query = Connection().Prepare(QStringLiteral("SELECT %1 FROM entries"
                                                              " ORDER BY entries.id DESC LIMIT :limit")
                                                   .arg(EntryColumns));
        query.bindValue(QStringLiteral(":limit"), limit);
        return ReadEntries(query);
    } catch (const std::exception& error) {
        Fail(QStringLiteral("read"), error);
    }
}

QList<THistoryEntry> THistoryStore::Search(const QString& text, int limit)
{
    const QString match = SearchMatchExpression(text);
    if (match.isEmpty())
        return Newest(limit);
    try {
        QSqlQuery query = Connection().Prepare(
            // The index is read from its highest number down and left at the limit, so a word found
            // in most entries costs no more than a rare one.
            QStringLiteral(
                "SELECT %1 FROM entries_search CROSS JOIN entries ON entries.id = entries_search.rowid"
                " WHERE entries_search MATCH :match ORDER BY entries_search.rowid DESC LIMIT :limit")
                .arg(EntryColumns));
        query.bindValue(QStringLiteral(":match"), match);
        query.bindValue(QStringLiteral(":limit"), limit);
        return ReadEntries(query);
    } catch (const std::exception& error) {
        Fail(QStringLiteral("search"), error);
    }
}

void THistoryStore::Remove(const QList<int64_t>& ids)
{
    if (ids.isEmpty())
        return;
    try {
        const THistoryConnection& connection = Connection();
        THistoryWriteTransaction transaction(connection);
        {
            QSqlQuery remove = connection.Prepare(QStringLiteral("DELETE FROM entries WHERE id = :id"));
            for (const int64_t id : ids) {
                remove.bindValue(QStringLiteral(":id"), qint64(id));
                THistoryConnection::Exec(remove);
            }
        }
        transaction.Commit();
    } catch (const std::exception& error) {
        Fail(QStringLiteral("remove entries from"), error);
    }
}

void THistoryStore::Clear()
{
    try {
        const THistoryConnection& connection = Connection();
        THistoryWriteTransaction transaction(connection);
        connection.Exec(QStringLiteral("DELETE FROM entries"));
        transaction.Commit();
    } catch (const std::exception& error) {
        Fail(QStringLiteral("clear"), error);
    }
    // The entries are gone once committed; rewriting the file without their free pages, and
    // emptying the log that still holds them, is done when no other process is in the way.
    try {
        FConnection->Exec(QStringLiteral("VACUUM"));
        FConnection->Exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    } catch (const THistoryError&) {
    }
}
