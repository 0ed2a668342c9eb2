// The main window's clipboard and editing commands, the panes' context menu and the automatic
// paste on activation.

#include "AppSettings.h"
#include "ClipboardText.h"
#include "PaneText.h"
#include "RichPane.h"
#include "frm_Main.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

void TfrmMain::PasteInto(int tag, bool automatic)
{
    const QString text = ReadClipboardText();
    FClipboardText = text;
    if (tag == 1) {
        if (!text.isEmpty()) {
            SetPaneText(*E2, text);
            FLastCopiedText = text;
        }
    } else if (tag == 0) {
        // The automatic paste leaves out the window's own last translation, which the automatic
        // copy has just put on the clipboard.
        if (!automatic || (!text.isEmpty() && text != FLastCopiedText)) {
            SetPaneText(*E1, text);
            FSourceText = text;
        }
    }
}

void TfrmMain::CopyFrom(int tag)
{
    FClipboardText = GetPaneText(*PaneOfTag(tag));
    WriteClipboardText(FClipboardText);
}

void TfrmMain::ClearPane(int tag)
{
    TRichPane* pane = PaneOfTag(tag);
    pane->Clear();
    pane->Format();
}

void TfrmMain::btnCopyClick()
{
    CopyFrom(SenderTag() != 0 ? 1 : 0);
}

void TfrmMain::btnPasteClick()
{
    PasteInto(SenderTag(), false);
}

void TfrmMain::btnClearClick()
{
    ClearPane(SenderTag() != 0 ? 1 : 0);
}

void TfrmMain::btnSwapClick()
{
    const QString a = GetPaneText(*E1);
    const QString b = GetPaneText(*E2);
    SetPaneText(*E2, a);
    SetPaneText(*E1, b);
}

void TfrmMain::Cut1Click()
{
    const int tag = pmTrans->property("Tag").toInt() != 0 ? 1 : 0;
    FClipboardText = GetPaneText(*PaneOfTag(tag));
    ClearPane(tag);
    WriteClipboardText(FClipboardText);
}

void TfrmMain::Copy1Click()
{
    CopyFrom(pmTrans->property("Tag").toInt() != 0 ? 1 : 0);
}

void TfrmMain::Paste1Click()
{
    PasteInto(pmTrans->property("Tag").toInt(), false);
}

void TfrmMain::Clear1Click()
{
    ClearPane(pmTrans->property("Tag").toInt() != 0 ? 1 : 0);
}

void TfrmMain::FormActivate()
{
    if (AppSettings.AutoPaste) {
        PasteInto(0, true);
    }
}

void TfrmMain::changeEvent(QEvent* e)
{
    // The application becoming active again reaches FormActivate too: Qt reports it as the
    // window's own activation, so one route serves both without pasting twice.
    TfrmRoot::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && FShown) {
        RunHandler([this] { FormActivate(); });
    }
}

void TfrmMain::E1ContextPopup(TRichPane* pane, QPoint mousePos)
{
    pmTrans->setProperty("Tag", pane->property("Tag"));
    pmTrans->popup(pane->mapToGlobal(mousePos));
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == E1 && e->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(e);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && key->modifiers() == Qt::ControlModifier) {
            RunHandler([this] { btnTransClick(); });
            return true;
        }
    }
    if (e->type() == QEvent::ContextMenu) {
        for (TRichPane* pane : {E1, E2}) {
            if (watched == pane || watched == pane->viewport()) {
                auto* menuEvent = static_cast<QContextMenuEvent*>(e);
                // From the keyboard the menu opens just above and left of the pane's client area.
                const QPoint position = menuEvent->reason() == QContextMenuEvent::Keyboard
                                            ? QPoint(-1, -1)
                                            : pane->mapFromGlobal(menuEvent->globalPos());
                E1ContextPopup(pane, position);
                return true;
            }
        }
    }
    if (watched == static_cast<QObject*>(lbl1) && e->type() == QEvent::MouseButtonRelease) {
        RunHandler([this] { lbl1Click(); });
        return true;
    }
    return TfrmRoot::eventFilter(watched, e);
}
