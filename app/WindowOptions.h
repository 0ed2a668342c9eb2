#pragma once
// The window program's command line: what a start asks of the window, and the usage.

#include <QString>
#include <QStringList>

// What a start asks the window to do once it is shown, here or in the copy already running.
struct TWindowRequest
{
    enum TKind
    {
        Show,               // no option, or --show
        TranslateText,      // --translate TEXT
        TranslateClipboard, // --translate-clipboard
        TranslateSelection, // --translate-selection
    };
    TKind Kind = Show;
    QString Text; // TranslateText only
};

struct TWindowOptions
{
    TWindowRequest Request;
    bool Explicit = false; // an option named the request; a plain start only shows
    bool Help = false;
    bool Version = false;
    QString Error; // not empty: the command line is not one of the usage's forms
};

// arguments without the program's name.
TWindowOptions ParseWindowOptions(const QStringList& arguments);

// "Usage: zorvanel [--translate TEXT | ...] [--help] [--version]"
QString WindowUsageLine();
// The usage line and what each option does, for --help.
QString WindowHelpText();
