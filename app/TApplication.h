#pragma once
// The application object. An exception that leaves an event handler ends that handler only: the
// application shows it in its standard error box and goes on running.

#include <QApplication>
#include <QString>

class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The standard error box: the text, with a full stop added when its last character sorts
    // after ".", shown through AppServices().ShowError.
    static void ShowException(const QString& text);
};
