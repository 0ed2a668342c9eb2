// history_writer FILE PREFIX COUNT TIMEOUT: adds COUNT entries "PREFIX 0" ... to the history FILE, one
// at a time as translations come, waiting up to TIMEOUT ms for another writer. Exit code 1 with the reason on
// standard error when one fails.

#include "HistoryStore.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

#include <cstdio>

constexpr unsigned long WriterPauseMs = 3;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5) {
        std::fputs("usage: history_writer FILE PREFIX COUNT TIMEOUT\n", stderr);
        return 2;
    }
    THistoryStore store(args[1], args[4].toInt());
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        THistoryEntry entry;
        entry.Source = QStringLiteral("%1 %2").arg(args[2]).arg(i);
        entry.Translation = QStringLiteral("ترجمة %1").arg(i);
        entry.ClientId = args[2];
        if (!store.Add(entry)) {
            std::fprintf(stderr, "%s\n", store.AddError().toUtf8().constData());
            return 1;
        }
        // Translations come a round trip apart. Writers that never pause could keep a waiting
        // one out past its busy time-out, as SQLite's wait is a poll and not a queue.
        QThread::msleep(WriterPauseMs);
    }
    return 0;
}
