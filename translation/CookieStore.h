#pragma once
// The HTTP client's in-memory cookie store: filled from "Set-Cookie" answers, sent back as one
// "Cookie" header, kept for the run and never written to disk. libcurl's own cookie engine is
// not used because it places its "Cookie" line before the caller's headers.

#include <QByteArray>
#include <QList>

#include <ctime>

class TCookieStore
{
public:
    // value: the text after "Set-Cookie:"; host and path: those of the request that got it. A
    // value holding a control character other than the tab is ignored.
    void Store(const QByteArray& value, const QByteArray& host, const QByteArray& path, std::time_t now);

    // "name=value; name2=value2" for a request, or empty when no cookie applies
    QByteArray HeaderFor(const QByteArray& host, const QByteArray& path, bool secure, std::time_t now) const;

    bool IsEmpty() const { return FCookies.isEmpty(); }

private:
    struct TCookie
    {
        QByteArray Name;
        QByteArray Value;
        QByteArray Domain; // lower case, without a leading dot
        bool HostOnly = true;
        QByteArray Path;
        bool Secure = false;
        std::time_t Expires = 0; // 0: for the session
        quint64 Created = 0;
    };

    QList<TCookie> FCookies;
    quint64 FNextSerial = 0;
};
