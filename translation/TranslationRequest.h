#pragma once
// The request that carries one text to the endpoint: GET below the threshold, POST from it on.

#include <QByteArray>
#include <QList>
#include <QString>

// Encoded texts of this many bytes or more go by POST.
inline constexpr qsizetype PostThreshold = 1960;

struct TTranslationRequest
{
    bool IsPost = false;
    QByteArray Url;              // GET: with the whole query; POST: without a query
    QList<QByteArray> FormLines; // POST only: client, dt, q, sl, tl
};

// The text is converted to UTF-8 (surrogate pairs as four-byte sequences) and passed through
// UrlEncode; its encoded length alone chooses the method.
TTranslationRequest ComposeTranslationRequest(const QByteArray& serviceBaseUrl, const QString& text,
                                              const QString& sourceLang, const QString& targetLang,
                                              const QString& clientId);

class THttpClient;

// Sends the request on http and appends the body of its answer to answer. Throws as
// THttpClient::Get and Post do.
void SendTranslationRequest(THttpClient& http, const TTranslationRequest& request, QByteArray& answer);
