#pragma once
// The components an owner (form, frame or data module) owns, in the order it came to own them:
// its descendant objects, depth first, a container before what it contains. (Qt keeps children
// in the order they were added, except that raising or lowering a widget moves it.)
//
// Left out are the parts Qt builds its own controls from, which no designer ever names: objects
// named "qt_..." (whose children, such as a tab widget's pages, still count) and everything inside
// item views, combo boxes, spin boxes, tab bars and button boxes. A nested form, frame or data
// module is itself a component, but what it holds is its own.

#include <QList>
#include <QObject>

QList<QObject*> OwnedComponents(const QObject* owner);
