#include "ServiceCheck.h"

#include "AnswerText.h"
#include "AppSettings.h"
#include "CliClient.h"
#include "DecodeTranslation.h"
#include "HttpClient.h"
#include "HttpFailure.h"
#include "RequestHeaders.h"
#include "ServiceClients.h"
#include "TranslationRequest.h"

#include <QElapsedTimer>
#include <QStringList>

namespace {

QString OnOneLine(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String(" "));
}

// The line for one client id; sets works when the id gave a translation.
QString CheckClientId(THttpClient& http, const QString& clientId, bool& works)
{
    const TTranslationRequest request =
        ComposeTranslationRequest(ServiceBaseUrl.toLatin1(), QStringLiteral("Hello"), QStringLiteral("en"),
                                  QStringLiteral("ar"), clientId);
    QElapsedTimer timer;
    timer.start();
    try {
        QByteArray answer;
        SendTranslationRequest(http, request, answer);
        const qint64 milliseconds = timer.elapsed();
        QString translation;
        QString errorText;
        DecodeTranslation(AnswerFromBytes(answer), translation, errorText);
        if (!errorText.isEmpty()) {
            return clientId + QStringLiteral(" failed ") + errorText;
        }
        works = true;
        return clientId + QStringLiteral(" ok %1 ms").arg(milliseconds);
    } catch (const THttpError& error) {
        const QString verdict =
            IsClientRefusal(error) ? QStringLiteral(" refused ") : QStringLiteral(" failed ");
        return clientId + verdict + OnOneLine(error.Message());
    }
}

} // namespace

TCliOutcome RunServiceCheck(const QString& settingsFile)
{
    THttpClient http;
    const QString badProxy = PrepareCliClient(http, ReadParams(settingsFile));
    if (!badProxy.isEmpty()) {
        return {QString(), badProxy, 2};
    }

    QStringList ids = ReadClientIds(settingsFile);
    if (ids.isEmpty()) {
        ids = DefaultClientIds();
    }
    QStringList lines;
    bool anyWorks = false;
    for (const QString& id : ids) {
        lines.append(CheckClientId(http, id, anyWorks));
    }
    return {lines.join(u'\n'), QString(), anyWorks ? 0 : 1};
}
