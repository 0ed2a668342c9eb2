#pragma once
// Reads one HTTP/1.1 request off a connection: the head up to the empty line, then the body per
// Content-Length. Bytes past the request stay in the caller's buffer for the next one.

#include "ConnectionStream.h"
#include "FakeEndpoint.h"

#include <optional>

namespace zorvanel::test {

struct TReadRequest
{
    std::optional<TRecordedRequest> Request; // none when the connection ended before a byte came
    bool Complete = false;                   // false when it ended inside the request
};

TReadRequest ReadRequest(TConnectionStream& stream, QByteArray& pending);

} // namespace zorvanel::test
