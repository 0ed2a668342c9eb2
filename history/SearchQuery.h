#pragma once
// User words as a full-text query.

#include <QString>

// The FTS5 MATCH expression that finds entries holding every word of the text, in its
// NormalizeSearchText form. Each word is quoted, so no character of the text is query syntax.
// The last word is a prefix while it is being typed (no white space after it); the others are
// whole words. Empty when the text holds no word.
QString SearchMatchExpression(const QString& text);
