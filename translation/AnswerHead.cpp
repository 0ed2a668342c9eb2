#include "AnswerHead.h"

#include <QList>

QByteArray WithoutLineEnd(const char* data, std::size_t size)
{
    QByteArray line(data, qsizetype(size));
    if (line.endsWith('\n')) {
        line.chop(1);
    }
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return line;
}

bool IsStatusLine(const QByteArray& line)
{
    // As libcurl reads it: the protocol's name in any case.
    return line.left(5).toUpper() == "HTTP/";
}

int StatusCodeOf(const QByteArray& statusLine)
{
    const QList<QByteArray> words = statusLine.simplified().split(' ');
    bool ok = false;
    const int code = words.size() > 1 ? words[1].toInt(&ok) : -1;
    return ok ? code : -1;
}

bool TAnswerHead::ReadLine(const char* data, std::size_t size, TCookieStore& cookies,
                           const THttpTarget& target, std::time_t now)
{
    const QByteArray line = WithoutLineEnd(data, size);
    if (line.size() > MaxHeadLineLength) {
        LineTooLong = true;
        return false;
    }
    if (AtHeadStart) {
        // A new head (after 1xx heads, or a retry after a proxy's 407); trailer lines are ignored.
        if (IsStatusLine(line)) {
            AtHeadStart = false;
            SawStatus = true;
            HeadComplete = false;
            Chunked = false;
            Location.clear();
            StatusLine = line;
            StatusCode = StatusCodeOf(line);
        }
        return true;
    }
    if (line.isEmpty()) {
        AtHeadStart = true;
        HeadComplete = StatusCode < 100 || StatusCode >= 200;
        return true;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon > 0) {
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "set-cookie") {
            cookies.Store(value, target.Host, target.Target, now);
        } else if (name == "transfer-encoding" && value.toLower().contains("chunked")) {
            Chunked = true;
        } else if (name == "location") {
            Location = value;
        }
    }
    return true;
}

bool TAnswerHead::ReadHeadless(const char* data, std::size_t size)
{
    FHeadless.append(data, qsizetype(size));
    const qsizetype end = FHeadless.indexOf('\n');
    if (end < 0) {
        LineTooLong = FHeadless.size() > MaxHeadLineLength;
        return !LineTooLong;
    }
    const QByteArray line = WithoutLineEnd(FHeadless.constData(), std::size_t(end + 1));
    if (line.size() > MaxHeadLineLength) {
        LineTooLong = true;
        return false;
    }
    SawStatus = true;
    HeadComplete = true;
    StatusLine = line;
    StatusCode = -1;
    return false;
}
