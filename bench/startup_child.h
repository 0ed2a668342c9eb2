#pragma once
// The child side of the start-up benchmark: reports on standard output the moment the window
// first paints, then quits.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

class TFirstPaintReporter : public QObject
{
public:
    explicit TFirstPaintReporter(QWidget* window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !FReported) {
            FReported = true;
            std::puts("painted");
            std::fflush(stdout);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, e);
    }

private:
    bool FReported = false;
};
