#pragma once
// A history file that cannot be created, opened, read or written. what() is the UTF-8 text the
// history window shows.

#include <QString>

#include <stdexcept>

class THistoryError : public std::runtime_error
{
public:
    explicit THistoryError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString Text() const { return QString::fromUtf8(what()); }
};
