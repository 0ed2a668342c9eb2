#pragma once
// The integer rule of language files (font sizes and character sets): decimal with an optional
// "-", or hexadecimal after "0x" (x in either case). Narrower than the settings file's rule: a
// "$" or a bare "x" prefix, a "+" or a leading blank make no number here.

#include <QString>

#include <optional>

std::optional<int> TryLangStrToInt(const QString& text);
