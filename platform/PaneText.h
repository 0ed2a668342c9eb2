#pragma once
// The main window's plain-text view of a pane, used by every command that moves text in or out.

#include <QString>
#include <QStringList>

class TRichPane;

// Every item's text followed by CR LF, trimmed of blanks, controls and format characters at both ends.
QString GetPaneText(const TRichPane& pane);

// One paragraph of style 0 per line; an empty text leaves no paragraph at all.
void SetPaneText(TRichPane& pane, const QString& text);

// The pieces between CR LF pairs; a last empty piece is no line. A lone CR or LF stays in its line.
QStringList SplitMemoLines(const QString& text);
