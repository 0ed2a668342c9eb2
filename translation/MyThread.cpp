#include "MyThread.h"

#include "AnswerText.h"
#include "DecodeTranslation.h"
#include "HttpClient.h"
#include "HttpFailure.h"
#include "RequestHeaders.h"
#include "ServiceClients.h"
#include "TextPieces.h"
#include "TranslationRequest.h"
#include "TranslationResult.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

namespace {

// Nothing but spaces and control characters: no answer at all, as far as the user can tell.
bool IsBlank(const QByteArray& bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

} // namespace

TMyThread::TMyThread(QObject* window, THttpClient* http, const QString& text, const QString& sourceLang,
                     const QString& targetLang, TTranslationResult* result, TShowMessage showMessage,
                     const QStringList& clientIds)
    : FWindow(window), FHTTP(http), FText(text), FSourceLang(sourceLang), FTargetLang(targetLang),
      FResult(result), FShowMessage(std::move(showMessage)), FClientIds(clientIds)
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    start();
}

void TMyThread::run()
{
    while (!isInterruptionRequested()) {
        DoTranslate();
        requestInterruption();
    }
}

void TMyThread::DoTranslate()
{
    const TTextPieces cut = CutIntoPieces(FText);
    const qsizetype count = cut.Pieces.size();
    try {
        QStringList translations;
        for (qsizetype k = 0; k < count; ++k) {
            if (FHTTP->IsCancelled()) {
                return; // the owner is going away: no further piece
            }
            if (count > 1) {
                Report(std::make_unique<TTranslationProgressEvent>(k + 1, count));
            }
            bool last = false;
            const QByteArray answer = ExchangePiece(cut.Pieces[k], last);
            QString translation;
            DecodeTranslation(AnswerFromBytes(answer), translation, FResult->ErrorText);
            // A piece that did not give a translation ends the whole one with what it gave:
            // half a text is no translation of it.
            if (last || !FResult->ErrorText.isEmpty()) {
                FResult->Translation = translation;
                Report(std::make_unique<QEvent>(WM_TRANSLATION_DONE));
                return;
            }
            translations.append(translation);
        }
        FResult->Translation = JoinTranslatedPieces(translations, cut.Separators);
        Report(std::make_unique<QEvent>(WM_TRANSLATION_DONE));
    } catch (const THttpCancelled&) {
        // The owner is going away: it expects nothing more from this worker.
    } catch (const std::exception& error) {
        FResult->Translation.clear();
        FResult->ErrorText = TranslationFailureText(QString::fromUtf8(error.what()));
        Report(std::make_unique<QEvent>(WM_TRANSLATION_FAILED));
    }
}

QByteArray TMyThread::ExchangePiece(const QString& piece, bool& last)
{
    const QStringList ids = ClientIdsToTry(FClientIds);
    QByteArray answer;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const TTranslationRequest request =
            ComposeTranslationRequest(ServiceBaseUrl.toLatin1(), piece, FSourceLang, FTargetLang, ids[i]);
        answer.clear();
        try {
            SendTranslationRequest(*FHTTP, request, answer);
            RememberWorkingClientId(ids[i]);
            FResult->ClientId = ids[i];
            return answer;
        } catch (const THttpError& error) {
            if (IsClientRefusal(error)) {
                RememberRefusedClientId(ids[i]);
                if (i + 1 < ids.size()) {
                    continue; // the endpoint refuses this id; the next one may do
                }
            }
            if (request.IsPost) {
                throw;
            }
            FShowMessage(error.Message());
            if (IsBlank(answer)) {
                throw; // nothing of an answer arrived: the failure itself is the report
            }
            last = true;
            FResult->ClientId = ids[i];
            return answer;
        }
    }
    return answer;
}

void TMyThread::Report(std::unique_ptr<QEvent> event)
{
    if (!FHTTP->IsCancelled()) {
        QCoreApplication::postEvent(FWindow, event.release());
    }
}
