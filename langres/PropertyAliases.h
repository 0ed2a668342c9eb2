#pragma once
// The names the language files use for properties that Qt spells differently or keeps apart
// from its property system ("Caption", "Hint", "Tabs", "Items", "Font"), per kind of object.
// This is the one place where those names are mapped.

#include "PropertyAccess.h"

#include <QMetaProperty>
#include <QObject>
#include <QStringView>

#include <optional>

// What an alias leads to on one object: a Qt property of another name, a text, or a list.
struct TAliasTarget
{
    QMetaProperty FProperty;
    std::optional<TTextAccess> FText;
    std::optional<TLinesAccess> FLines;
};

// The first row of the table that names name (ASCII case ignored) for this kind of object.
std::optional<TAliasTarget> FindAlias(QObject* object, QStringView name);
