#include "WorkerMessage.h"

#include "AppServices.h"
#include "ApplicationTitle.h"

#include <QMetaObject>

void TWorkerMessage::ShowAndWait(const QString& text)
{
    std::unique_lock lock(FMutex);
    if (FAbandoned) {
        return;
    }
    FWaiting = true;
    QMetaObject::invokeMethod(
        FWindow, [self = shared_from_this(), text] { self->Open(text); }, Qt::QueuedConnection);
    FChanged.wait(lock, [this] { return !FWaiting || FAbandoned; });
}

void TWorkerMessage::Open(const QString& text)
{
    {
        std::lock_guard lock(FMutex);
        if (FAbandoned) {
            return;
        }
    }
    FBox = AppServices().OpenMessage(FWindow, ApplicationTitle(), text, 2,
                                     [self = shared_from_this()] { self->Finish(); });
}

void TWorkerMessage::Finish()
{
    std::lock_guard lock(FMutex);
    FWaiting = false;
    FChanged.notify_all();
}

void TWorkerMessage::Abandon()
{
    {
        std::lock_guard lock(FMutex);
        FAbandoned = true;
        FChanged.notify_all();
    }
    if (FBox) {
        FBox->close();
    }
}
