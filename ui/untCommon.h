#pragma once
// Routines the windows share: the copyright notice, the loading animation shown while a
// translation runs, and the application's message box.

#include <QString>

#include <stdexcept>

class QLabel;

// The loading animation could not be had. what() is the text the error box shows.
class TLoadingAnimationError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The one-line notice of the maker's rights with the current year, for the about box and the
// main window's status bar.
QString CopyrightNotice();

// The resource library "QuembrikSys.DLL": beside the executable, else in ../share/zorvanel of
// an installed copy; the place beside the executable when it is in neither.
QString ResourceLibraryPath();

// Plays the animated GIF resource "/GIF/" + name in upper case of the resource library in image,
// which keeps its own copy; the library is open only during the call. Replaces (and frees) an
// animation image already plays. Throws TLoadingAnimationError with "Resource NAME not found"
// when the library or the resource is missing, with the decoder's text when the GIF is bad.
void ShowLoadingAnimation(QLabel* image, const QString& name);
// The same, with the library at libraryPath.
void ShowLoadingAnimation(QLabel* image, const QString& name, const QString& libraryPath);

// image shows nothing any more; its animation stops and is freed. image stays visible.
void ClearLoadingAnimation(QLabel* image);

// A modal message box over the active window, the application title as caption, of the kind's
// icon and buttons (0 warning, 1 error, 2 information, 3 question with OK and Cancel, others plain
// OK). Returns 1 for OK, 2 for Cancel. GUI thread only: a worker asks its window to show it.
int ShowAppMessage(const QString& text, int kind);
