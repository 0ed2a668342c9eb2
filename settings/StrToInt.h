#pragma once
// The integer reading rule of the settings file and the proxy port: leading spaces skipped,
// an optional sign, then decimal digits, or hexadecimal digits after "$", "x" or "0x"
// (x in either case); nothing may follow the digits; the value must fit 32 bits.

#include <QString>

#include <optional>

std::optional<int> TryStrToInt(const QString& text);
