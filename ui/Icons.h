#pragma once
// The window's small pictures, drawn by the program itself so that they look the same on every
// desktop, with or without an icon theme.

#include <QIcon>

enum class TIcon
{
    Open,
    Clear,
    Save,
    Copy,
    Paste,
    Swap,
    Print,
    Cut,
    Help,
    Translate,
    Options,
    Home,
    Mail,
    Info,
    Application,
    History,
};

QIcon MakeIcon(TIcon icon);
