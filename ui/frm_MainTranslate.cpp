// The translate command, the worker's reports and what becomes of a worker when the window
// closes.

#include "AppSettings.h"
#include "ClipboardText.h"
#include "HttpClient.h"
#include "MyThread.h"
#include "PaneText.h"
#include "RVStyle.h"
#include "RequestHeaders.h"
#include "RichPane.h"
#include "TranslationResult.h"
#include "WorkerMessage.h"
#include "frm_Main.h"
#include "untCommon.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>

namespace {

// With the piece in flight when the text goes in several.
QString WaitingLine(qsizetype piece = 0, qsizetype pieces = 1)
{
    const QString line = QStringLiteral("Translation, please wait ...");
    return pieces > 1 ? line + QStringLiteral(" (%1/%2)").arg(piece).arg(pieces) : line;
}

} // namespace

void TfrmMain::btnTransClick()
{
    StartTranslation();
}

void TfrmMain::ShowOneLine(TRichPane* pane, const QString& line)
{
    pane->Clear();
    // The program's own texts are English: left to right also in a right-to-left pane.
    pane->AddTextParagraph(QString(), 0, FixedTextParaStyle, 0);
    pane->SetItemText(0, line);
    pane->Format();
}

void TfrmMain::StartTranslation()
{
    // One translation at a time, also against a second click that the processing of pending
    // events below lets through.
    if (FTranslating) {
        return;
    }
    FSourceText = E1->SelectedText();
    if (FSourceText.isEmpty()) {
        FSourceText = GetPaneText(*E1);
    }
    if (FSourceText.isEmpty()) {
        return;
    }
    FTranslating = true;
    try {
        ShowOneLine(E2, WaitingLine());
        QCoreApplication::processEvents();
        PrepareRequestHeaders(*HTTP);
        ImgLoad->setVisible(true);
        ShowLoadingAnimation(ImgLoad, QStringLiteral("loading"), ResourceLibrary);
    } catch (...) {
        FTranslating = false;
        throw;
    }
    btnTrans->setEnabled(false);
    FResult = std::make_unique<TTranslationResult>();
    const bool englishToArabic = AppSettings.Direction == 0;
    FTranslationDirection = englishToArabic ? 0 : 1;
    FWorkerMessage = std::make_shared<TWorkerMessage>(this);
    FWorker = new TMyThread(
        this, HTTP.get(), FSourceText, englishToArabic ? QStringLiteral("en") : QStringLiteral("ar"),
        englishToArabic ? QStringLiteral("ar") : QStringLiteral("en"), FResult.get(),
        [message = FWorkerMessage](const QString& text) { message->ShowAndWait(text); },
        ReadClientIds(SettingsFilePath));
}

bool TfrmMain::event(QEvent* e)
{
    if (e->type() == WM_TRANSLATION_DONE) {
        RunHandler([this] { WMTranslationDone(); });
        return true;
    }
    if (e->type() == WM_TRANSLATION_FAILED) {
        RunHandler([this] { WMTranslationFailed(); });
        return true;
    }
    if (e->type() == WM_TRANSLATION_PROGRESS) {
        const auto* progress = static_cast<TTranslationProgressEvent*>(e);
        if (FTranslating) {
            RunHandler([this, progress] { ShowOneLine(E2, WaitingLine(progress->Piece, progress->Pieces)); });
        }
        return true;
    }
    return TfrmRoot::event(e);
}

void TfrmMain::WMTranslationDone()
{
    ShowTranslationResult(true);
}

void TfrmMain::WMTranslationFailed()
{
    ShowTranslationResult(false);
}

void TfrmMain::ShowTranslationResult(bool done)
{
    // The worker has decoded everything; a failed exchange brought no answer, and its result
    // says what failed, not that an answer could not be parsed.
    const TTranslationResult result = FResult ? std::move(*FResult) : TTranslationResult();
    FResult.reset();
    try {
        if (done && result.ErrorText.isEmpty()) {
            SetPaneText(*E2, result.Translation);
            RecordTranslation(result.Translation, result.ClientId);
        } else {
            ShowOneLine(E2, result.ErrorText);
        }
    } catch (...) {
        FinishTranslation();
        throw;
    }
    FinishTranslation();
    if (done && AppSettings.AutoCopy) {
        FLastCopiedText = result.Translation;
        FClipboardText = result.Translation;
        WriteClipboardText(FClipboardText);
    }
    E2->setFocus();
}

void TfrmMain::FinishTranslation()
{
    btnTrans->setEnabled(true);
    ClearLoadingAnimation(ImgLoad);
    FTranslating = false;
    // Queued: whoever waits for the end starts the next translation outside this handler.
    QMetaObject::invokeMethod(this, &TfrmMain::TranslationFinished, Qt::QueuedConnection);
}

void TfrmMain::ShowFromOutside()
{
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void TfrmMain::TranslateFromOutside(const QString& text)
{
    // The clipboard's text counts as seen: the activation this request causes must not paste
    // it over the text that was asked for.
    FLastCopiedText = ReadClipboardText();
    ShowFromOutside();
    if (text.isEmpty()) {
        return;
    }
    RunHandler([this, &text] {
        SetPaneText(*E1, text);
        btnTransClick();
    });
}

void TfrmMain::StopWorker()
{
    if (!FWorker) {
        return;
    }
    HTTP->Cancel();
    if (FWorkerMessage) {
        FWorkerMessage->Abandon();
    }
    FWorker->wait();
}

void TfrmMain::closeEvent(QCloseEvent* e)
{
    // A translation in flight is cancelled; nothing of it reaches the window afterwards.
    StopWorker();
    TfrmRoot::closeEvent(e);
}
