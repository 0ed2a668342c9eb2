#include "TranslatorService.h"

#include "ClipboardText.h"
#include "frm_Main.h"

#include <QClipboard>
#include <QGuiApplication>

TTranslatorService::TTranslatorService(TfrmMain& window) : QObject(&window), FWindow(window)
{
    connect(&FWindow, &TfrmMain::TranslationFinished, this, &TTranslatorService::RunWaiting);
}

bool TTranslatorService::Busy() const
{
    return FWindow.IsTranslating();
}

void TTranslatorService::Request(const TWindowRequest& request)
{
    switch (request.Kind) {
    case TWindowRequest::Show:
        Show();
        break;
    case TWindowRequest::TranslateText:
        TranslateText(request.Text);
        break;
    case TWindowRequest::TranslateClipboard:
        TranslateClipboard();
        break;
    case TWindowRequest::TranslateSelection:
        TranslateSelection();
        break;
    }
}

void TTranslatorService::Show()
{
    FWindow.ShowFromOutside();
}

void TTranslatorService::TranslateText(const QString& text)
{
    if (text.isEmpty()) {
        Show();
        return;
    }
    FWaiting = text;
    RunWaiting();
}

void TTranslatorService::TranslateClipboard()
{
    TranslateText(ReadClipboardText());
}

void TTranslatorService::TranslateSelection()
{
    TranslateText(ReadSelectionText());
}

void TTranslatorService::RunWaiting()
{
    if (!FWaiting || FWindow.IsTranslating()) {
        if (FWaiting) {
            Show();
        }
        return;
    }
    const QString text = *FWaiting;
    FWaiting.reset();
    FWindow.TranslateFromOutside(text);
}

QString ReadSelectionText()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection()) {
        return clipboard->text(QClipboard::Selection);
    }
    return ReadClipboardText();
}
