// The parts of the HTTP client that read what the peer or the caller wrote, without a socket:
// the request URL split for the wire, then the answer's head line by line as libcurl hands it
// over (status lines, header lines, Set-Cookie into the cookie store), then the Cookie header
// the next requests would send. The input's first line is the URL; the rest is the head.

#include "AnswerHead.h"
#include "CookieStore.h"
#include "FuzzSupport.h"
#include "HttpFailure.h"
#include "HttpTarget.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <ctime>

using namespace zorvanel::fuzz;

namespace {

// A moment in 2027, so that cookie lifetimes near both ends of time_t are reachable.
constexpr std::time_t Now = 1'800'000'000;

THttpTarget TargetOf(const QByteArray& url)
{
    try {
        const THttpTarget target = SplitUrl(url);
        Require(target.Scheme == "http" || target.Scheme == "https", "the scheme is http or https");
        Require(!target.Host.isEmpty(), "a URL that splits has a host");
        Require(target.Target.startsWith('/'), "the request target starts with a slash");
        Require(target.Port > 0 && target.Port < 65536, "the port is a port");
        Require(target.Origin().startsWith(target.Scheme + "://"), "the origin starts with the scheme");
        return target;
    } catch (const THttpError&) {
        // Refusing a URL is an answer too; go on with the endpoint's own.
        return SplitUrl("https://translate.googleapis.com/translate_a/single?client=gtx");
    }
}

// A Cookie header holds one line of printable text: anything else would break the request head.
bool IsOneHeaderValue(const QByteArray& value)
{
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7F) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype urlEnd = input.indexOf('\n');
    const THttpTarget target = TargetOf(input.left(urlEnd < 0 ? input.size() : urlEnd));

    TCookieStore cookies;
    TAnswerHead head;
    qsizetype start = urlEnd < 0 ? input.size() : urlEnd + 1;
    while (start < input.size()) {
        const qsizetype lf = input.indexOf('\n', start);
        const qsizetype end = lf < 0 ? input.size() : lf + 1;
        if (!head.ReadLine(input.constData() + start, std::size_t(end - start), cookies, target, Now)) {
            break; // libcurl stops the transfer here
        }
        start = end;
    }

    for (const bool secure : {false, true}) {
        for (const QByteArray& path : {target.Target, QByteArray("/"), target.Target + "/x"}) {
            for (const std::time_t when : {Now, Now + 86400}) {
                Require(IsOneHeaderValue(cookies.HeaderFor(target.Host, path, secure, when)),
                        "the Cookie header is one line of text");
            }
        }
    }
    return 0;
}
