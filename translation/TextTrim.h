#pragma once
// The trim rule of the panes' plain text, shared by the window and the command line: blanks,
// control and format characters at both ends go, one UTF-16 unit at a time.

#include <QString>

bool IsTrimCharacter(char16_t unit);

QString TrimPaneText(const QString& text);
