#include "RequestReader.h"

#include "HttpHead.h"

#include <algorithm>

namespace zorvanel::test {

namespace {

// Past this a head without its empty line is taken as garbage rather than read on forever.
constexpr qsizetype MaxHeadSize = 1 << 20;

void ParseRequestLine(TRecordedRequest& request)
{
    const qsizetype end = request.Head.indexOf("\r\n");
    const QList<QByteArray> words = request.Head.left(end < 0 ? request.Head.size() : end).split(' ');
    request.Method = words.value(0);
    request.Target = words.value(1);
}

} // namespace

TReadRequest ReadRequest(TConnectionStream& stream, QByteArray& pending)
{
    char buffer[16384];
    const auto readMore = [&] {
        const qsizetype count = stream.Read(buffer, sizeof buffer);
        if (count > 0)
            pending.append(buffer, count);
        return count > 0;
    };

    qsizetype headEnd = -1;
    while ((headEnd = pending.indexOf("\r\n\r\n")) < 0) {
        if (pending.size() > MaxHeadSize || !readMore()) {
            if (pending.isEmpty())
                return {};
            TRecordedRequest request;
            request.Raw = request.Head = std::exchange(pending, {});
            ParseRequestLine(request);
            return {std::move(request), false};
        }
    }

    TRecordedRequest request;
    request.Head = pending.left(headEnd + 4);
    ParseRequestLine(request);
    const qsizetype bodySize =
        std::max<qsizetype>(0, HeaderValue(request.Head, "Content-Length").toLongLong());
    bool complete = true;
    while (pending.size() < request.Head.size() + bodySize) {
        if (!readMore()) {
            complete = false;
            break;
        }
    }
    request.Raw = pending.left(request.Head.size() + bodySize);
    pending.remove(0, request.Raw.size());
    request.Body = request.Raw.mid(request.Head.size());
    return {std::move(request), complete};
}

} // namespace zorvanel::test
