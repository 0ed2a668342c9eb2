#include "ErrorBox.h"

#include "AppServices.h"

namespace {

// Something other than a std::exception carries no text of its own.
const char UnknownExceptionText[] = "An unexpected error occurred";

} // namespace

void ShowException(const QString& text)
{
    QString message = text;
    // A code-unit comparison, as the error texts have always been finished: "!", ")" and "."
    // sort before "." or equal it and are left alone; letters, digits and Arabic get the stop.
    if (!message.isEmpty() && message.back() > u'.') {
        message += u'.';
    }
    AppServices().ShowError(message);
}

void ShowCurrentException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QString::fromLatin1(UnknownExceptionText));
    }
}
