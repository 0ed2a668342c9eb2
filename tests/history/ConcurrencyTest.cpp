#include "HistoryStore.h"
#include "HistoryTestSupport.h"

#include <QProcess>
#include <QThread>

#include <memory>
#include <vector>

namespace {

using Concurrency = THistoryTest;

constexpr int PerWriter = 150;
// Long enough for a busy test machine, which may keep a writer that holds the lock off the
// processor for a while.
constexpr int BusyTimeoutMs = 15000;

TEST_F(Concurrency, ProgramsWritingAtOnceAllKeepEveryEntry)
{
    // Two other programs and this one add to a file none of them has made yet.
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QString& prefix : {QStringLiteral("cli"), QStringLiteral("second")}) {
        auto& writer = writers.emplace_back(std::make_unique<QProcess>());
        writer->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer->start(QStringLiteral(ZORVANEL_HISTORY_WRITER),
                      {FilePath(), prefix, QString::number(PerWriter), QString::number(BusyTimeoutMs)});
    }
    THistoryStore store(FilePath(), BusyTimeoutMs);
    QStringList expected;
    for (int i = 0; i < PerWriter; ++i) {
        THistoryEntry entry = Entry(QStringLiteral("window %1").arg(i), QStringLiteral("نافذة"));
        entry.Time = QDateTime();
        EXPECT_TRUE(store.Add(entry)) << store.AddError().toStdString();
        QThread::msleep(3); // as history_writer does
        for (const char* prefix : {"window", "cli", "second"})
            expected.append(QStringLiteral("%1 %2").arg(QLatin1String(prefix)).arg(i));
    }
    for (const auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0);
    }
    EXPECT_EQ(Sorted(Sources(store.Newest(10 * PerWriter))), Sorted(expected));
    EXPECT_EQ(store.Search(QStringLiteral("cli")).size(), PerWriter);
}

} // namespace
