#include "frm_Root.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QScreen>

TfrmRoot::TfrmRoot(QWidget* parent) : QDialog(parent)
{
    // Window is the colour the dialog and every control that shows its parent's background
    // paint with, so it takes the button face in each colour group.
    QPalette palette = this->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Window, palette.color(group, QPalette::Button));
    setPalette(palette);
    // Where Tahoma is missing, a sans serif of Arial's widths keeps the captions within the places
    // the windows give them; fontconfig's usual stand-in is wider.
    if (QFont::substitutes(QStringLiteral("Tahoma")).isEmpty()) {
        QFont::insertSubstitutions(
            QStringLiteral("Tahoma"),
            {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    }
    setFont(QFont(QStringLiteral("Tahoma"), 9));
    // Tool tips need nothing here: Qt shows every widget's tool tip unless told otherwise.
}

void TfrmRoot::FormCreate()
{
    ClearPanelParentBackground(this);
}

void TfrmRoot::SetFixedClientSize(int width, int height)
{
    setFixedSize(width, height);
    setSizeGripEnabled(false);
    Qt::WindowFlags flags = windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    flags &= ~Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
}

void TfrmRoot::showEvent(QShowEvent* event)
{
    // Centred on the screen the first time only; after that the window stays where the user put
    // it. This runs after QDialog has centred itself over its parent, and wins.
    if (!FPlaced) {
        FPlaced = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

void ClearPanelParentBackground(QWidget* window)
{
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (TPanel* panel : window->findChildren<TPanel*>()) {
        if (panel->palette().color(panel->backgroundRole()) != buttonFace)
            panel->setAutoFillBackground(true);
    }
}
