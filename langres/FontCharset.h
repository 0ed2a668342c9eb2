#pragma once
// The character set of a window's font as language files state it (0 to 255, 1 the default).
// Qt fonts have no character set: Qt picks glyphs per character through font fallback, so the
// number is only carried along on the object, to be read back and written out again.

#include <QObject>

constexpr int DefaultFontCharset = 1;

int FontCharset(const QObject* object);
void SetFontCharset(QObject* object, int charset);
