#pragma once
// The three kinds of object that may own language components. A form is any top-level window
// (QWidget, QDialog, QMainWindow); a data module is a plain container of non-visual objects; a
// frame is a reusable panel embedded in a window. An ordinary embedded widget is none of them.

#include <QObject>
#include <QWidget>

class TDataModule : public QObject
{
    Q_OBJECT

public:
    explicit TDataModule(QObject* parent = nullptr) : QObject(parent) {}
};

class TFrame : public QWidget
{
    Q_OBJECT

public:
    explicit TFrame(QWidget* parent = nullptr) : QWidget(parent) {}
};

// The object as a form, or null. Popup menus and tool tips are windows to Qt but no forms, and a
// frame stays a frame even while it has no parent.
QWidget* AsForm(QObject* object);

// Whether the object owns its contents itself: a form, a data module or a frame.
bool IsOwnerKind(QObject* object);
