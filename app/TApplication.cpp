#include "TApplication.h"

#include "AppServices.h"

#include <exception>

namespace {

// Something other than a std::exception carries no text of its own.
const char UnknownExceptionText[] = "An unexpected error occurred";

} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QString::fromLatin1(UnknownExceptionText));
    }
    return false;
}

void TApplication::ShowException(const QString& text)
{
    QString message = text;
    // A code-unit comparison, as the error texts have always been finished: "!", ")" and "."
    // sort before "." or equal it and are left alone; letters, digits and Arabic get the stop.
    if (!message.isEmpty() && message.back() > u'.')
        message += u'.';
    AppServices().ShowError(message);
}
