#pragma once
// Reading and writing a published property by the name a language file uses: a Qt property of
// that name (case of ASCII letters ignored), else an entry of the alias table.

#include <QMetaProperty>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// One text of an object.
struct TTextAccess
{
    std::function<QString()> FRead;
    std::function<void(const QString&)> FWrite;
};

// The lines of a string-list property: line i is read and replaced on its own.
struct TLinesAccess
{
    std::function<int()> FCount;
    std::function<QString(int)> FRead;
    std::function<void(int, const QString&)> FWrite;
};

// The object's Qt property whose name matches name without regard to ASCII case; invalid if none.
QMetaProperty FindMetaProperty(const QObject* object, QStringView name);

// The Qt property that name stands for on this object, directly or through the alias table.
QMetaProperty FindValueProperty(QObject* object, QStringView name);

// The property as a text, or nullopt when the object has no property of that name. A property
// that holds no string reads as the empty text and ignores writes.
std::optional<TTextAccess> TextProperty(QObject* object, QStringView name);

// The property as a string list, or nullopt when it is none (or does not exist).
std::optional<TLinesAccess> LinesProperty(QObject* object, QStringView name);
