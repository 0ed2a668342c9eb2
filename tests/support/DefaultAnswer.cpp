#include "DefaultAnswer.h"

#include <QString>

#include <nlohmann/json.hpp>

namespace zorvanel::test {

namespace {

struct TKnownPhrase
{
    const char* English;
    const char* Arabic;
};

// Real translations for the phrases the tests use, so that a test can show right-to-left text.
constexpr TKnownPhrase KnownPhrases[] = {
    {"Hello world", "مرحبا بالعالم"},
    {"Good morning", "صباح الخير"},
};

QByteArray Answer(const QByteArray& status, const QByteArray& contentType, const QByteArray& body, bool close)
{
    QByteArray answer = "HTTP/1.1 " + status + "\r\nContent-Type: " + contentType +
                        "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n";
    if (close)
        answer += "Connection: close\r\n";
    return answer + "\r\n" + body;
}

// For "auto" the language the known phrase is in, else English.
QString DetectedLanguage(const QString& text, const QString& sourceLang)
{
    if (sourceLang != QLatin1String("auto"))
        return sourceLang;
    for (const TKnownPhrase& phrase : KnownPhrases) {
        if (text == QString::fromUtf8(phrase.Arabic))
            return QStringLiteral("ar");
    }
    return QStringLiteral("en");
}

// The text split after each line feed, each piece keeping its line end.
QList<QString> Pieces(const QString& text)
{
    QList<QString> pieces;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype feed = text.indexOf(QLatin1Char('\n'), start);
        const qsizetype end = feed < 0 ? text.size() : feed + 1;
        pieces.append(text.mid(start, end - start));
        start = end;
    }
    return pieces;
}

QString LineEnd(const QString& piece)
{
    if (piece.endsWith(QLatin1String("\r\n")))
        return QStringLiteral("\r\n");
    if (piece.endsWith(QLatin1Char('\n')))
        return QStringLiteral("\n");
    return {};
}

std::string Utf8(const QString& text)
{
    return text.toStdString();
}

QByteArray TranslationJson(const QString& text, const QString& sourceLang, const QString& targetLang)
{
    const QString detected = DetectedLanguage(text.trimmed(), sourceLang);
    nlohmann::json segments = nlohmann::json::array();
    for (const QString& piece : Pieces(text)) {
        const QString lineEnd = LineEnd(piece);
        const QString source = piece.left(piece.size() - lineEnd.size());
        const QString translation = TFakeEndpoint::FakeTranslation(source, sourceLang, targetLang) + lineEnd;
        segments.push_back({Utf8(translation), Utf8(piece), nullptr, nullptr, 10});
    }
    const nlohmann::json answer = {segments, nullptr, Utf8(detected)};
    return QByteArray::fromStdString(answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

const QByteArray SorryPage = "<html><head><title>Sorry</title></head><body><h1>Sorry</h1>"
                             "<p>Too many requests from this client. Please try again later.</p>"
                             "</body></html>\n";

const QByteArray MovedPage = "<html><head><title>302 Moved</title></head><body><h1>302 Moved</h1>"
                             "The document has moved.</body></html>\n";

const QByteArray TooLargePage = "<html><head><title>Error 413</title></head><body><h1>413.</h1>"
                                "<p>Your client issued a request that was too large.</p></body></html>\n";

} // namespace

QString TFakeEndpoint::FakeTranslation(const QString& text, const QString& sourceLang,
                                       const QString& targetLang)
{
    if (text.isEmpty())
        return {};
    const bool anySource = sourceLang == QLatin1String("auto");
    for (const TKnownPhrase& phrase : KnownPhrases) {
        const QString english = QString::fromUtf8(phrase.English);
        const QString arabic = QString::fromUtf8(phrase.Arabic);
        if (text == english && targetLang == QLatin1String("ar") &&
            (anySource || sourceLang == QLatin1String("en")))
            return arabic;
        if (text == arabic && targetLang == QLatin1String("en") &&
            (anySource || sourceLang == QLatin1String("ar")))
            return english;
    }
    return targetLang + QStringLiteral(": ") + text;
}

TFormFields RequestParameters(const TRecordedRequest& request)
{
    TFormFields fields = ParseForm(TargetQuery(request.Target));
    if (request.Method == "POST")
        fields += ParseForm(request.Body);
    return fields;
}

QByteArray DefaultAnswer(const TRecordedRequest& request, const TFakeEndpointOptions& options)
{
    const bool close = HeaderValue(request.Head, "Connection").toLower().contains("close");
    if (TargetPath(request.Target) != TranslatePath)
        return Answer("404 Not Found", "text/html", "<html><body><h1>Not Found</h1></body></html>\n", close);

    const TFormFields fields = RequestParameters(request);
    if (options.RefusedClients.contains(FormValue(fields, "client"))) {
        if (!options.RefuseByRedirect)
            return Answer("429 Too Many Requests", "text/html; charset=UTF-8", SorryPage, close);
        const QByteArray location = "/sorry/index?continue=" + request.Target.toPercentEncoding();
        QByteArray answer = Answer("302 Found", "text/html; charset=UTF-8", MovedPage, close);
        return answer.insert(answer.indexOf("\r\n") + 2, "Location: " + location + "\r\n");
    }

    const QString text = QString::fromUtf8(FormValue(fields, "q"));
    if (text.toUcs4().size() > LongestText)
        return Answer("413 Request Entity Too Large", "text/html; charset=UTF-8", TooLargePage, close);

    const QByteArray body = TranslationJson(text, QString::fromUtf8(FormValue(fields, "sl")),
                                            QString::fromUtf8(FormValue(fields, "tl")));
    return Answer("200 OK", "application/json; charset=UTF-8", body, close);
}

} // namespace zorvanel::test
