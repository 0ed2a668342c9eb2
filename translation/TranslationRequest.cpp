#include "TranslationRequest.h"

#include "HttpClient.h"
#include "UrlEncode.h"

TTranslationRequest ComposeTranslationRequest(const QByteArray& serviceBaseUrl, const QString& text,
                                              const QString& sourceLang, const QString& targetLang,
                                              const QString& clientId)
{
    // toUtf8 writes a surrogate pair as one four-byte sequence, so emoji reach the endpoint intact.
    const QByteArray encoded = UrlEncode(text.toUtf8());
    const QByteArray client = clientId.toUtf8();
    const QByteArray sl = sourceLang.toUtf8();
    const QByteArray tl = targetLang.toUtf8();

    TTranslationRequest request;
    if (encoded.size() >= PostThreshold) {
        request.IsPost = true;
        request.Url = serviceBaseUrl + "/translate_a/single";
        request.FormLines = {"client=" + client, QByteArray("dt=t"), "q=" + encoded, "sl=" + sl, "tl=" + tl};
    } else {
        request.Url = serviceBaseUrl + "/translate_a/single?client=" + client + "&sl=" + sl + "&tl=" + tl +
                      "&dt=t&q=" + encoded;
    }
    return request;
}

void SendTranslationRequest(THttpClient& http, const TTranslationRequest& request, QByteArray& answer)
{
    if (request.IsPost) {
        http.Post(request.Url, request.FormLines, answer);
    } else {
        http.Get(request.Url, answer);
    }
}
