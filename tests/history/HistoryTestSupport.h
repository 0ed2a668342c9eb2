#pragma once
// A scratch folder per test with its history file, entry builders, and a second connection to
// the file as another program has it.

#include "HistoryEntry.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

class THistoryTest : public ::testing::Test
{
protected:
    QString Path(const QString& name) const { return FDir.filePath(name); }
    QString FilePath() const { return Path(QStringLiteral("history.sqlite")); }

    // A fixed time some minutes after a fixed start, so that order never depends on the clock.
    static QDateTime At(int minute)
    {
        return QDateTime(QDate(2024, 5, 1), QTime(8, 0), Qt::UTC).addSecs(60 * minute);
    }

    static THistoryEntry Entry(const QString& source, const QString& translation, int minute = 0,
                               int direction = 0, const QString& clientId = QStringLiteral("client-a"))
    {
        THistoryEntry entry;
        entry.Time = At(minute);
        entry.Direction = direction;
        entry.Source = source;
        entry.Translation = translation;
        entry.ClientId = clientId;
        return entry;
    }

    static QStringList Sources(const QList<THistoryEntry>& entries)
    {
        QStringList sources;
        for (const THistoryEntry& entry : entries)
            sources.append(entry.Source);
        return sources;
    }

    static QStringList Sorted(QStringList list)
    {
        std::sort(list.begin(), list.end());
        return list;
    }

    QTemporaryDir FDir;
};

// Another connection to a history file, made without the store.
class TRawDatabase
{
public:
    explicit TRawDatabase(const QString& path, const QString& options = {})
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
        db.setDatabaseName(path);
        db.setConnectOptions(options);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
    }
    ~TRawDatabase()
    {
        QSqlDatabase::database(FName, false).close();
        QSqlDatabase::removeDatabase(FName);
    }
    TRawDatabase(const TRawDatabase&) = delete;
    TRawDatabase& operator=(const TRawDatabase&) = delete;

    // Runs statements separated by ";" at line ends; fails the test on the first that fails.
    void Exec(const QString& script)
    {
        for (const QString& statement : script.split(QStringLiteral(";\n"), Qt::SkipEmptyParts)) {
            if (statement.trimmed().isEmpty())
                continue;
            QSqlQuery query(QSqlDatabase::database(FName, false));
            EXPECT_TRUE(query.exec(statement))
                << statement.toStdString() << ": " << query.lastError().text().toStdString();
        }
    }

    QVariant Scalar(const QString& sql)
    {
        QSqlQuery query(QSqlDatabase::database(FName, false));
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return query.next() ? query.value(0) : QVariant();
    }

private:
    QString FName = QStringLiteral("raw-%1").arg(quintptr(this));
};
