#include "CliClient.h"

#include "AppSettings.h"
#include "HttpClient.h"
#include "ProxySettings.h"
#include "RequestHeaders.h"

QString PrepareCliClient(THttpClient& http, const TParams& params)
{
    ServiceBaseUrl = DefaultServiceBaseUrl();
    try {
        ApplyProxyParams(http, params);
    } catch (const TConvertError& error) {
        return QString::fromUtf8(error.what());
    }
    PrepareRequestHeaders(http);
    return {};
}
