#pragma once
// Keeps the window's translations in the history on a thread of its own, so that a slow, locked
// or broken history file never holds up the window. The file is opened with the first entry:
// the window's start-up does not wait for it.

#include "HistoryEntry.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <memory>
#include <mutex>

class THistoryStore;

class THistoryRecorder : public QObject
{
    Q_OBJECT

public:
    // settingsFile decides whether translations are kept; historyFile is where.
    THistoryRecorder(const QString& settingsFile, const QString& historyFile);
    // Waits for the entries handed over so far to be written.
    ~THistoryRecorder() override;

    // Hands the entry over and returns at once.
    void Record(const THistoryEntry& entry);
    // Returns once the entries handed over so far are written.
    void Flush();

    // Why the latest entry could not be written; empty once one was. Any thread.
    QString LastError() const;

signals:
    // An entry was written; the history window shows it.
    void Recorded();

private:
    void Write(const THistoryEntry& entry);

    const QString FSettingsFile;
    const QString FHistoryFile;
    QThread FThread;
    QObject FWorker;                       // lives on FThread; entries reach it as queued calls
    std::unique_ptr<THistoryStore> FStore; // made, used and freed on FThread
    mutable std::mutex FErrorMutex;
    QString FLastError;
};
