#include "HistorySchema.h"

#include "HistoryConnection.h"
#include "HistoryError.h"
#include "SearchText.h"

#include <QSqlQuery>
#include <QVariant>

#include <iterator>

namespace {

// The first layout: the entries, numbered in the order they were kept, so that the newest is the
// highest number. A source is kept once per direction.
void CreateEntries(const THistoryConnection& c)
{
    c.Exec(QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"));
    c.Exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (1)"));
    c.Exec(QStringLiteral("CREATE TABLE entries ("
                          " id INTEGER PRIMARY KEY,"
                          " time INTEGER NOT NULL," // milliseconds since 1970, UTC
                          " direction INTEGER NOT NULL,"
                          " source TEXT NOT NULL,"
                          " translation TEXT NOT NULL,"
                          " client_id TEXT NOT NULL,"
                          " UNIQUE (direction, source))"));
}

// Word search: the searchable copies of source and translation live in the entries, and an
// FTS5 index over them is kept up to date by triggers, so every way an entry changes or goes
// also changes the index.
void AddWordSearch(const THistoryConnection& c)
{
    c.Exec(QStringLiteral("ALTER TABLE entries ADD COLUMN source_search TEXT NOT NULL DEFAULT ''"));
    c.Exec(QStringLiteral("ALTER TABLE entries ADD COLUMN translation_search TEXT NOT NULL DEFAULT ''"));
    {
        QSqlQuery rows = c.Prepare(QStringLiteral("SELECT id, source, translation FROM entries"));
        THistoryConnection::Exec(rows);
        QSqlQuery update = c.Prepare(QStringLiteral(
            "UPDATE entries SET source_search = :source, translation_search = :translation WHERE id = :id"));
        while (rows.next()) {
            update.bindValue(QStringLiteral(":source"), NormalizeSearchText(rows.value(1).toString()));
            update.bindValue(QStringLiteral(":translation"), NormalizeSearchText(rows.value(2).toString()));
            update.bindValue(QStringLiteral(":id"), rows.value(0));
            THistoryConnection::Exec(update);
        }
    }
    // Prefix indexes of two and three characters keep a word being typed as fast as a whole one.
    c.Exec(QStringLiteral("CREATE VIRTUAL TABLE entries_search USING fts5("
                          " source_search, translation_search,"
                          " content = 'entries', content_rowid = 'id',"
                          " tokenize = 'unicode61 remove_diacritics 2', prefix = '2 3')"));
    c.Exec(QStringLiteral("INSERT INTO entries_search (entries_search) VALUES ('rebuild')"));
    c.Exec(QStringLiteral("CREATE TRIGGER entries_search_insert AFTER INSERT ON entries BEGIN"
                          " INSERT INTO entries_search (rowid, source_search, translation_search)"
                          " VALUES (new.id, new.source_search, new.translation_search);"
                          " END"));
    c.Exec(QStringLiteral(
        "CREATE TRIGGER entries_search_delete AFTER DELETE ON entries BEGIN"
        " INSERT INTO entries_search (entries_search, rowid, source_search, translation_search)"
        " VALUES ('delete', old.id, old.source_search, old.translation_search);"
        " END"));
    c.Exec(QStringLiteral(
        "CREATE TRIGGER entries_search_update"
        " AFTER UPDATE OF source_search, translation_search ON entries BEGIN"
        " INSERT INTO entries_search (entries_search, rowid, source_search, translation_search)"
        " VALUES ('delete', old.id, old.source_search, old.translation_search);"
        " INSERT INTO entries_search (rowid, source_search, translation_search)"
        " VALUES (new.id, new.source_search, new.translation_search);"
        " END"));
}

using TMigrationStep = void (*)(const THistoryConnection&);

// Step i brings a file of version i to version i + 1; an empty file is version 0. Steps are never changed
// once released: a new layout is a new step at the end.
constexpr TMigrationStep Steps[] = {CreateEntries, AddWordSearch};
static_assert(std::size(Steps) == HistorySchemaVersion);

int ScalarInt(const THistoryConnection& c, const QString& sql)
{
    QSqlQuery query = c.Prepare(sql);
    THistoryConnection::Exec(query);
    return query.next() ? query.value(0).toInt() : 0;
}

int FileVersion(const THistoryConnection& c)
{
    const bool hasVersion =
        ScalarInt(c, QStringLiteral("SELECT count(*) FROM sqlite_schema"
                                    " WHERE type = 'table' AND name = 'schema_version'")) != 0;
    if (hasVersion)
        return ScalarInt(c, QStringLiteral("SELECT version FROM schema_version"));
    // Another program's database is left alone rather than filled with our tables.
    if (ScalarInt(c, QStringLiteral("SELECT count(*) FROM sqlite_schema")) != 0)
        throw THistoryError(QStringLiteral("the file is a database of another kind"));
    return 0;
}

} // namespace

int CheckHistorySchema(const THistoryConnection& connection)
{
    const int version = FileVersion(connection);
    if (version > HistorySchemaVersion)
        throw THistoryError(
            QStringLiteral("the file was written by a later version of the program (layout %1)")
                .arg(version));
    return version;
}

void MigrateHistorySchema(const THistoryConnection& connection)
{
    // A look without the write lock first: an up-to-date file, the usual case, needs no writer.
    if (CheckHistorySchema(connection) == HistorySchemaVersion)
        return;
    THistoryWriteTransaction transaction(connection);
    // Again under the lock: another process may have brought the file up to date meanwhile.
    int version = CheckHistorySchema(connection);
    if (version == HistorySchemaVersion)
        return;
    for (; version < HistorySchemaVersion; ++version)
        Steps[version](connection);
    connection.Exec(QStringLiteral("UPDATE schema_version SET version = %1").arg(HistorySchemaVersion));
    transaction.Commit();
}
