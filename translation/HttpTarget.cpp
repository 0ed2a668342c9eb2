#include "HttpTarget.h"

#include "HttpFailure.h"

namespace {

QByteArray HostForUrl(const QByteArray& host)
{
    return host.contains(':') ? '[' + host + ']' : host;
}

} // namespace

QByteArray THttpTarget::HostHeader() const
{
    return DefaultPort ? HostForUrl(Host) : HostForUrl(Host) + ':' + QByteArray::number(Port);
}

QByteArray THttpTarget::Origin() const
{
    return Scheme + "://" + HostForUrl(Host) + ':' + QByteArray::number(Port) + '/';
}

THttpTarget SplitUrl(const QByteArray& url)
{
    const qsizetype schemeEnd = url.indexOf("://");
    THttpTarget target;
    target.Scheme = schemeEnd > 0 ? url.left(schemeEnd).toLower() : QByteArray();
    if (target.Scheme != "http" && target.Scheme != "https") {
        throw THttpError(QStringLiteral("Protocol not supported: %1").arg(QString::fromLatin1(url)));
    }
    const qsizetype authorityStart = schemeEnd + 3;
    qsizetype authorityEnd = authorityStart;
    while (authorityEnd < url.size() && url[authorityEnd] != '/' && url[authorityEnd] != '?') {
        ++authorityEnd;
    }
    QByteArray authority = url.mid(authorityStart, authorityEnd - authorityStart);
    authority = authority.mid(authority.lastIndexOf('@') + 1); // user information never goes out

    target.Target = url.mid(authorityEnd);
    if (!target.Target.startsWith('/')) {
        target.Target.prepend('/');
    }

    QByteArray portText;
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        target.Host = authority.mid(1, close - 1);
        if (close > 0 && authority.mid(close + 1).startsWith(':')) {
            portText = authority.mid(close + 2);
        }
    } else {
        const qsizetype colon = authority.lastIndexOf(':');
        target.Host = colon < 0 ? authority : authority.left(colon);
        portText = colon < 0 ? QByteArray() : authority.mid(colon + 1);
    }
    if (target.Host.isEmpty()) {
        throw THttpError(QStringLiteral("Host not found in URL: %1").arg(QString::fromLatin1(url)));
    }
    const int defaultPort = target.IsHttps() ? 443 : 80;
    bool ok = false;
    const int port = portText.toInt(&ok);
    target.Port = ok && port > 0 && port < 65536 ? port : defaultPort;
    target.DefaultPort = target.Port == defaultPort;
    return target;
}
