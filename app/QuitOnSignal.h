#pragma once
// SIGTERM and SIGINT end the window program as closing its window does: the event loop ends,
// the window is destroyed, and what it still had to write (the history) is written. A signal
// handler may only write to a pipe; the event loop reads it.

#include <QObject>

#include <memory>

class QSocketNotifier;

class TQuitOnSignal : public QObject
{
public:
    TQuitOnSignal();
    ~TQuitOnSignal() override;

private:
    std::unique_ptr<QSocketNotifier> FNotifier;
};
