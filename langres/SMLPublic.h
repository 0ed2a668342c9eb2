#pragma once
// The one test the language components share.

#include <QObject>
#include <QStringView>

// Whether the object's class, or a class it derives from, publishes a property of that name:
// a Qt property, or a name of the alias table for this kind of object. The case of ASCII
// letters is ignored; the property's type is not looked at.
bool HasProperty(QObject* component, QStringView propertyName);
