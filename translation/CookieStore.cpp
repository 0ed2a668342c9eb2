#include "CookieStore.h"

#include <curl/curl.h>

#include <algorithm>
#include <limits>

namespace {

bool DomainMatches(const QByteArray& host, const QByteArray& domain)
{
    if (host == domain) {
        return true;
    }
    return host.endsWith(domain) && host.size() > domain.size() &&
           host[host.size() - domain.size() - 1] == '.';
}

bool PathMatches(const QByteArray& requestPath, const QByteArray& cookiePath)
{
    if (requestPath == cookiePath) {
        return true;
    }
    if (!requestPath.startsWith(cookiePath)) {
        return false;
    }
    return cookiePath.endsWith('/') || requestPath[cookiePath.size()] == '/';
}

// A control character other than the tab would go back out in our own Cookie header, where a
// CR ends the line for some servers and a NUL cuts the header short; browsers refuse such a
// cookie whole, and so do we.
bool HasControlCharacter(const QByteArray& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return (code < 0x20 && c != '\t') || code == 0x7F;
    });
}

// The folder of the request's path, as cookies without a Path attribute use it.
QByteArray DefaultPath(const QByteArray& requestPath)
{
    const qsizetype query = requestPath.indexOf('?');
    const QByteArray path = query < 0 ? requestPath : requestPath.left(query);
    const qsizetype slash = path.lastIndexOf('/');
    if (!path.startsWith('/') || slash <= 0) {
        return "/";
    }
    return path.left(slash);
}

} // namespace

void TCookieStore::Store(const QByteArray& value, const QByteArray& host, const QByteArray& path,
                         std::time_t now)
{
    if (HasControlCharacter(value)) {
        return;
    }
    const QList<QByteArray> parts = value.split(';');
    const QByteArray pair = parts.first().trimmed();
    const qsizetype eq = pair.indexOf('=');
    if (eq <= 0) {
        return;
    }
    TCookie cookie;
    cookie.Name = pair.left(eq).trimmed();
    cookie.Value = pair.mid(eq + 1).trimmed();
    cookie.Domain = host.toLower();
    cookie.Path = DefaultPath(path);

    bool hasMaxAge = false;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray attribute = parts[i].trimmed();
        const qsizetype aeq = attribute.indexOf('=');
        const QByteArray name = (aeq < 0 ? attribute : attribute.left(aeq)).trimmed().toLower();
        const QByteArray attrValue = aeq < 0 ? QByteArray() : attribute.mid(aeq + 1).trimmed();
        if (name == "domain" && !attrValue.isEmpty()) {
            QByteArray domain = attrValue.toLower();
            if (domain.startsWith('.')) {
                domain.remove(0, 1);
            }
            if (!DomainMatches(cookie.Domain, domain)) {
                return; // a host may not set cookies for another domain
            }
            cookie.Domain = domain;
            cookie.HostOnly = false;
        } else if (name == "path" && attrValue.startsWith('/')) {
            cookie.Path = attrValue;
        } else if (name == "secure") {
            cookie.Secure = true;
        } else if (name == "max-age") {
            bool ok = false;
            const qlonglong seconds = attrValue.toLongLong(&ok);
            if (ok) {
                hasMaxAge = true;
                // A lifetime that reaches past what time_t can hold lasts as long as it can hold.
                constexpr std::time_t Last = std::numeric_limits<std::time_t>::max();
                cookie.Expires = seconds <= 0 ? 1 : seconds > Last - now ? Last : now + seconds;
            }
        } else if (name == "expires" && !hasMaxAge) {
            const std::time_t when = curl_getdate(attrValue.constData(), nullptr);
            if (when != -1) {
                cookie.Expires = when <= 0 ? 1 : when;
            }
        }
    }

    const auto same = [&](const TCookie& c) {
        return c.Name == cookie.Name && c.Domain == cookie.Domain && c.Path == cookie.Path;
    };
    const auto existing = std::find_if(FCookies.begin(), FCookies.end(), same);
    cookie.Created = existing != FCookies.end() ? existing->Created : FNextSerial++;
    if (existing != FCookies.end()) {
        FCookies.erase(existing);
    }
    if (cookie.Expires == 0 || cookie.Expires > now) {
        FCookies.append(cookie);
    }
}

QByteArray TCookieStore::HeaderFor(const QByteArray& host, const QByteArray& path, bool secure,
                                   std::time_t now) const
{
    const QByteArray lowerHost = host.toLower();
    const qsizetype query = path.indexOf('?');
    const QByteArray requestPath = query < 0 ? path : path.left(query);

    QList<const TCookie*> matching;
    for (const TCookie& cookie : FCookies) {
        const bool domainOk =
            cookie.HostOnly ? lowerHost == cookie.Domain : DomainMatches(lowerHost, cookie.Domain);
        const bool alive = cookie.Expires == 0 || cookie.Expires > now;
        if (domainOk && alive && PathMatches(requestPath, cookie.Path) && (secure || !cookie.Secure)) {
            matching.append(&cookie);
        }
    }
    // Longer paths first, then the older cookie first.
    std::stable_sort(matching.begin(), matching.end(), [](const TCookie* a, const TCookie* b) {
        if (a->Path.size() != b->Path.size()) {
            return a->Path.size() > b->Path.size();
        }
        return a->Created < b->Created;
    });

    QByteArray header;
    for (const TCookie* cookie : matching) {
        if (!header.isEmpty()) {
            header += "; ";
        }
        header += cookie->Name + '=' + cookie->Value;
    }
    return header;
}
