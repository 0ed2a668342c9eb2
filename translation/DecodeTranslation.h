#pragma once
// Turns the endpoint's answer, or a failure text of the HTTP client, into a translation or one
// of the fixed error texts. Never throws.

#include <QString>

inline constexpr char ErrorConnectionClosed[] = "Internet Connection Closed.";
inline constexpr char ErrorTimedOut[] = "Connection timed out. ( Blocked? )";
inline constexpr char ErrorEngineDisabled[] = "Translate Engine disabled, Please try again later.";
inline constexpr char ErrorTooManyRequests[] = "Too many requests, please try again later.";
inline constexpr char ErrorParseFailed[] = "ERROR: Failed to parse translation results.";

// On success errorText is empty; otherwise translation is empty.
void DecodeTranslation(const QString& answer, QString& translation, QString& errorText);

// What the user is shown for an exchange that failed before any answer arrived: the fixed error
// text DecodeTranslation gives the failure, where it has one, otherwise the failure's own text
// on one line (each CR LF as one space). Never the parse error: nothing was there to parse.
QString TranslationFailureText(const QString& failure);
