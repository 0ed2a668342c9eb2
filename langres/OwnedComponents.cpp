#include "OwnedComponents.h"

#include "SMLOwners.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QStackedWidget>
#include <QTabBar>

namespace {

bool IsQtPart(const QObject* object)
{
    return object->objectName().startsWith(QLatin1String("qt_"));
}

bool HoldsOnlyItsOwnParts(QObject* object)
{
    return qobject_cast<QAbstractItemView*>(object) || qobject_cast<QComboBox*>(object) ||
           qobject_cast<QAbstractSpinBox*>(object) || qobject_cast<QTabBar*>(object) ||
           qobject_cast<QDialogButtonBox*>(object) || qobject_cast<QCalendarWidget*>(object) ||
           IsOwnerKind(object);
}

// A stack lowers each page it takes in, which reverses them among its children; its pages are
// taken in their own order, after its other children.
QObjectList OrderedChildren(const QObject* parent)
{
    const auto* stack = qobject_cast<const QStackedWidget*>(parent);
    if (!stack)
        return parent->children();
    QObjectList children;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || stack->indexOf(widget) < 0)
            children.append(child);
    }
    for (int i = 0; i < stack->count(); ++i)
        children.append(stack->widget(i));
    return children;
}

void Collect(const QObject* parent, QList<QObject*>& components)
{
    for (QObject* child : OrderedChildren(parent)) {
        if (!IsQtPart(child))
            components.append(child);
        if (!HoldsOnlyItsOwnParts(child))
            Collect(child, components);
    }
}

} // namespace

QList<QObject*> OwnedComponents(const QObject* owner)
{
    QList<QObject*> components;
    if (owner)
        Collect(owner, components);
    return components;
}
