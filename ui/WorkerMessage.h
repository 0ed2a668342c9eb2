#pragma once
// The message box of a failed GET. The worker asks for it on its own thread and waits until the
// user has closed it; the box itself lives on the window's thread and does not block the window.
// When the window goes away first, Abandon closes the box and lets the worker go on.

#include <QPointer>
#include <QString>
#include <QWidget>

#include <condition_variable>
#include <memory>
#include <mutex>

class TWorkerMessage : public std::enable_shared_from_this<TWorkerMessage>
{
public:
    explicit TWorkerMessage(QWidget* window) : FWindow(window) {}

    // Worker thread: shows the text and returns once the box is closed or abandoned.
    void ShowAndWait(const QString& text);

    // Window thread: closes an open box and releases a waiting worker, now and for good.
    void Abandon();

private:
    void Open(const QString& text); // window thread
    void Finish();

    QWidget* const FWindow;
    QPointer<QWidget> FBox;
    std::mutex FMutex;
    std::condition_variable FChanged;
    bool FWaiting = false;
    bool FAbandoned = false;
};
