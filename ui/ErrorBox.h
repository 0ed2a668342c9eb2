#pragma once
// The application's standard error box for a failure that ends a user's command, and the guard
// that routes a command handler's failure there.

#include <QString>

#include <exception>

// The text, with a full stop added when its last character sorts after ".", shown through
// AppServices().ShowError.
void ShowException(const QString& text);

// Shows the error box for the exception being handled (inside a catch block).
void ShowCurrentException();

// Runs a handler of a signal (a click, a menu item). Its failure is shown here, where it
// happens: an exception must not unwind through Qt's signal delivery, which neither expects
// nor survives it cleanly.
template <class THandler> void RunHandler(THandler&& handler)
{
    try {
        handler();
    } catch (...) {
        ShowCurrentException();
    }
}
