#pragma once
// Splitting a request URL into what goes on the wire. Nothing is encoded or normalised: the
// caller's URL is already percent-encoded and its path and query go out unchanged.

#include <QByteArray>

struct THttpTarget
{
    QByteArray Scheme; // "http" or "https", lower case
    QByteArray Host;   // without brackets for an IPv6 literal
    int Port = 0;
    bool DefaultPort = true;
    QByteArray Target; // path and query as on the request line; "/" at the least

    bool IsHttps() const { return Scheme == "https"; }
    // "host" for the scheme's default port, else "host:port"
    QByteArray HostHeader() const;
    // scheme://host:port/ for libcurl, which is then told the exact request target
    QByteArray Origin() const;
};

// Throws THttpError for a URL that is not http or https or has no host.
THttpTarget SplitUrl(const QByteArray& url);
