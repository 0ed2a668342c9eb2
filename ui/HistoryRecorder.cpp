#include "HistoryRecorder.h"

#include "HistorySettings.h"
#include "HistoryStore.h"

#include <QMetaObject>

THistoryRecorder::THistoryRecorder(const QString& settingsFile, const QString& historyFile)
    : FSettingsFile(settingsFile), FHistoryFile(historyFile)
{
    FThread.setObjectName(QStringLiteral("history"));
    FWorker.moveToThread(&FThread);
    FThread.start();
}

THistoryRecorder::~THistoryRecorder()
{
    // The store goes on the thread that used it, after the entries still queued.
    QMetaObject::invokeMethod(
        &FWorker, [this] { FStore.reset(); }, Qt::BlockingQueuedConnection);
    FThread.quit();
    FThread.wait();
}

void THistoryRecorder::Record(const THistoryEntry& entry)
{
    QMetaObject::invokeMethod(
        &FWorker, [this, entry] { Write(entry); }, Qt::QueuedConnection);
}

void THistoryRecorder::Flush()
{
    QMetaObject::invokeMethod(
        &FWorker, [] {}, Qt::BlockingQueuedConnection);
}

QString THistoryRecorder::LastError() const
{
    std::lock_guard lock(FErrorMutex);
    return FLastError;
}

void THistoryRecorder::Write(const THistoryEntry& entry)
{
    // Read for each entry: the history window's check box may have changed it since.
    if (!HistoryKept(FSettingsFile)) {
        return;
    }
    if (!FStore) {
        FStore = std::make_unique<THistoryStore>(FHistoryFile);
    }
    const bool written = FStore->Add(entry);
    {
        std::lock_guard lock(FErrorMutex);
        FLastError = written ? QString() : FStore->AddError();
    }
    if (written) {
        QMetaObject::invokeMethod(this, &THistoryRecorder::Recorded, Qt::QueuedConnection);
    }
}
