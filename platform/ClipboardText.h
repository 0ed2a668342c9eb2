#pragma once
// Plain Unicode text from and to the system clipboard.

#include <QString>

// Empty when the clipboard holds no text.
QString ReadClipboardText();

// Replaces the clipboard's content with the text alone (text/plain; the platform offers it in the
// UTF-8 and the legacy text forms).
void WriteClipboardText(const QString& text);
