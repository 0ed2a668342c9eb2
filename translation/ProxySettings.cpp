#include "ProxySettings.h"

#include "AppSettings.h"
#include "HttpClient.h"
#include "StrToInt.h"

void ApplyProxyParams(THttpClient& http, const TParams& params)
{
    if (params.NoProxy) {
        http.ClearProxy();
        return;
    }
    // The port is checked before anything is applied: a half-applied proxy would send the old
    // port and credentials to the newly typed host.
    const std::optional<int> port = TryStrToInt(params.Port);
    if (!port) {
        throw TConvertError(
            QStringLiteral("'%1' is not a valid integer value").arg(params.Port).toStdString());
    }
    http.SetProxyServer(params.Address.toLocal8Bit());
    http.SetProxyPort(*port);
    http.SetProxyUserName(params.UserName.toLocal8Bit());
    http.SetProxyPassword(params.Password.toLocal8Bit());
}
