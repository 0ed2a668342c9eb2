#include "RequestHeaders.h"

#include "HttpClient.h"

QString ServiceBaseUrl;

QString DefaultServiceBaseUrl()
{
    QString url = qEnvironmentVariable("ZORVANEL_SERVICE_URL");
    if (url.isEmpty()) {
        return QStringLiteral("https://translate.googleapis.com");
    }
    while (url.endsWith(u'/')) {
        url.chop(1);
    }
    return url;
}

void PrepareRequestHeaders(THttpClient& http)
{
    http.ResetRequestFields();
    http.Request.Connection = "keep-alive";
    http.Request.CacheControl = "no-cache";
    http.Request.Pragma = "no-cache";
    http.Request.Accept = "*/*";
    http.Request.UserAgent =
        "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/534.13 (KHTML, like "
        "Gecko) Chrome/9.0.597.67 Safari/534";
    http.Request.Referer = ServiceBaseUrl.toLatin1();
    http.Request.AcceptLanguage = "en";
    http.Request.ContentType = "application/x-www-form-urlencoded";
    http.ProtocolVersion = THttpVersion::Http11;
    http.KeepPostOnProtocolVersion = true;
}
