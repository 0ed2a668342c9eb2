#include "HttpFailure.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// what() is a C string: a zero byte in an answer's line would cut the text short, or empty it.
std::string AsCString(QString message)
{
    return message.replace(QChar(0), u'?').toStdString();
}

} // namespace

THttpError::THttpError(const QString& message, int statusCode, const QByteArray& location)
    : std::runtime_error(AsCString(message)), FStatusCode(statusCode), FLocation(location)
{
}

namespace {

struct TSocketErrorText
{
    int Number;
    const char* Text;
};

constexpr TSocketErrorText SocketErrorTexts[] = {
    {10004, "Interrupted system call."},
    {10009, "Bad file number."},
    {10013, "Access denied."},
    {10014, "Buffer fault."},
    {10022, "Invalid argument."},
    {10024, "Too many open files."},
    {10035, "Operation would block."},
    {10036, "Operation now in progress."},
    {10037, "Operation already in progress."},
    {10038, "Socket operation on non-socket."},
    {10039, "Destination address required."},
    {10040, "Message too long."},
    {10041, "Protocol wrong type for socket."},
    {10042, "Bad protocol option."},
    {10043, "Protocol not supported."},
    {10044, "Socket type not supported."},
    {10045, "Operation not supported on socket."},
    {10046, "Protocol family not supported."},
    {10047, "Address family not supported by protocol family."},
    {10048, "Address already in use."},
    {10049, "Cannot assign requested address."},
    {10050, "Network is down."},
    {10051, "Network is unreachable."},
    {10052, "Net dropped connection or reset."},
    {10053, "Software caused connection abort."},
    {10054, "Connection reset by peer."},
    {10055, "No buffer space available."},
    {10056, "Socket is already connected."},
    {10057, "Socket is not connected."},
    {10058, "Cannot send or receive after socket is closed."},
    {10059, "Too many references, cannot splice."},
    {10060, "Connection timed out."},
    {10061, "Connection refused."},
    {10062, "Too many levels of symbolic links."},
    {10063, "File name too long."},
    {10064, "Host is down."},
    {10065, "No route to host."},
    {10066, "Directory not empty"},
    {11001, "Host not found."},
};

constexpr std::pair<int, int> ErrnoToWsa[] = {
    {EINTR, 10004},         {EBADF, 10009},        {EACCES, 10013},          {EFAULT, 10014},
    {EINVAL, 10022},        {EMFILE, 10024},       {EWOULDBLOCK, 10035},     {EINPROGRESS, 10036},
    {EALREADY, 10037},      {ENOTSOCK, 10038},     {EDESTADDRREQ, 10039},    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},    {ENOPROTOOPT, 10042},  {EPROTONOSUPPORT, 10043}, {ESOCKTNOSUPPORT, 10044},
    {EOPNOTSUPP, 10045},    {EPFNOSUPPORT, 10046}, {EAFNOSUPPORT, 10047},    {EADDRINUSE, 10048},
    {EADDRNOTAVAIL, 10049}, {ENETDOWN, 10050},     {ENETUNREACH, 10051},     {ENETRESET, 10052},
    {ECONNABORTED, 10053},  {ECONNRESET, 10054},   {EPIPE, 10054},           {ENOBUFS, 10055},
    {EISCONN, 10056},       {ENOTCONN, 10057},     {ESHUTDOWN, 10058},       {ETOOMANYREFS, 10059},
    {ETIMEDOUT, 10060},     {ECONNREFUSED, 10061}, {ELOOP, 10062},           {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},     {EHOSTUNREACH, 10065}, {ENOTEMPTY, 10066},
};

} // namespace

QString SocketErrorText(int wsaNumber)
{
    for (const auto& entry : SocketErrorTexts) {
        if (entry.Number == wsaNumber) {
            return QString::fromLatin1(entry.Text);
        }
    }
    return {};
}

QString SocketErrorMessage(int wsaNumber)
{
    return QStringLiteral("Socket Error # %1\r\n%2").arg(wsaNumber).arg(SocketErrorText(wsaNumber));
}

int WsaNumberFromErrno(int posixErrno)
{
    for (const auto& [from, to] : ErrnoToWsa) {
        if (from == posixErrno) {
            return to;
        }
    }
    return posixErrno;
}

// The message text of a failed exchange that produced no usable answer head.
QString CurlFailureText(int curlCode, long osErrno, bool sawStatus, bool lineTooLong, const char* detail)
{
    const auto result = CURLcode(curlCode);
    const int wsa = osErrno != 0 ? WsaNumberFromErrno(int(osErrno)) : 0;
    switch (result) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return SocketErrorMessage(WsaHostNotFound);
    case CURLE_COULDNT_CONNECT:
        return SocketErrorMessage(wsa != 0 ? wsa : WsaConnRefused);
    case CURLE_OPERATION_TIMEDOUT:
        return SocketErrorMessage(WsaTimedOut);
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return QString::fromLatin1(ConnectionClosedGracefully);
    case CURLE_RECV_ERROR:
        // Without a socket error the TLS stream ended without its closing message: the peer
        // closed. A reset is a reset, before the answer as much as inside it.
        if (!sawStatus && osErrno == 0) {
            return QString::fromLatin1(ConnectionClosedGracefully);
        }
        return SocketErrorMessage(wsa != 0 ? wsa : WsaConnReset);
    case CURLE_SEND_ERROR:
        return SocketErrorMessage(wsa != 0 ? wsa : WsaConnReset);
    case CURLE_WRITE_ERROR:
    case CURLE_OUT_OF_MEMORY:
        if (lineTooLong || result == CURLE_OUT_OF_MEMORY) {
            return QString::fromLatin1(MaxLineLengthExceeded);
        }
        break;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        return QStringLiteral("%1\r\n%2").arg(QLatin1String(SslConnectError), QString::fromUtf8(detail));
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
        return QStringLiteral("%1\r\n%2").arg(QLatin1String(SslContextError), QString::fromUtf8(detail));
    default:
        break;
    }
    if (wsa != 0) {
        return SocketErrorMessage(wsa);
    }
    // libcurl ended the exchange for a reason of its own and no usable answer came: of this
    // client's texts, the closest is that of an answer that never came.
    return QString::fromLatin1(ConnectionClosedGracefully);
}

TCurlComplaint CurlComplaintOf(int curlCode, long osErrno, const char* detail)
{
    const auto result = CURLcode(curlCode);
    if (result == CURLE_UNSUPPORTED_PROTOCOL || result == CURLE_WEIRD_SERVER_REPLY) {
        return TCurlComplaint::AnswerRefused;
    }
    // Receive errors without a socket error are libcurl's complaints about the bytes; only its
    // description tells which.
    if (result == CURLE_RECV_ERROR && osErrno == 0 && detail != nullptr) {
        if (std::strstr(detail, "chunked-encoding") != nullptr) {
            return TCurlComplaint::ChunkFraming;
        }
        if (std::strstr(detail, "Too large response headers") != nullptr) {
            return TCurlComplaint::HeadTooLarge;
        }
    }
    return TCurlComplaint::None;
}
