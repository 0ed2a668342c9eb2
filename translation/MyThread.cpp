#include "MyThread.h"

#include "HttpClient.h"
#include "HttpFailure.h"
#include "RequestHeaders.h"
#include "ServiceClients.h"
#include "TranslationRequest.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Nothing but spaces and control characters: no answer at all, as far as the user can tell.
bool IsBlank(const QByteArray& bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

} // namespace

TMyThread::TMyThread(QObject* window, THttpClient* http, const QString& text, const QString& sourceLang,
                     const QString& targetLang, QByteArray* resultStream, TShowMessage showMessage,
                     const QStringList& clientIds)
    : FWindow(window), FHTTP(http), FText(text), FSourceLang(sourceLang), FTargetLang(targetLang),
      FResult(resultStream), FShowMessage(std::move(showMessage)), FClientIds(clientIds)
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
    try {
        const QStringList ids = ClientIdsToTry(FClientIds);
        QByteArray response;
        for (qsizetype i = 0; i < ids.size(); ++i) {
            const TTranslationRequest request =
                ComposeTranslationRequest(ServiceBaseUrl.toLatin1(), FText, FSourceLang, FTargetLang, ids[i]);
            response.clear();
            try {
                if (request.IsPost) {
                    FHTTP->Post(request.Url, request.FormLines, response);
                } else {
                    FHTTP->Get(request.Url, response);
                }
                RememberWorkingClientId(ids[i]);
                break;
            } catch (const THttpError& error) {
                if (IsClientRefusal(error.StatusCode()) && i + 1 < ids.size()) {
                    continue; // the endpoint refuses this id; the next one may do
                }
                if (request.IsPost) {
                    throw;
                }
                FShowMessage(error.Message());
                if (IsBlank(response)) {
                    throw; // nothing of an answer arrived: the failure itself is the report
                }
                break;
            }
        }
        FResult->append(response);
        Report(WM_TRANSLATION_DONE);
    } catch (const THttpCancelled&) {
        // The owner is going away: it expects nothing more from this worker.
    } catch (const std::exception& error) {
        if (IsBlank(*FResult)) {
            FResult->append(error.what());
        }
        Report(WM_TRANSLATION_FAILED);
    }
}

void TMyThread::Report(QEvent::Type type)
{
    if (FHTTP->IsCancelled()) {
        return;
    }
    QCoreApplication::postEvent(FWindow, new QEvent(type));
}
