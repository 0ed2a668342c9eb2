#include "SMLOwners.h"

QWidget* AsForm(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow() || qobject_cast<TFrame*>(widget))
        return nullptr;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Popup || type == Qt::ToolTip ? nullptr : widget;
}

bool IsOwnerKind(QObject* object)
{
    return AsForm(object) || qobject_cast<TDataModule*>(object) || qobject_cast<TFrame*>(object);
}
