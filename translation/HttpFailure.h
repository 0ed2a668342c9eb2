#pragma once
// Failures of the HTTP client and the message texts they carry. Callers compare these texts
// verbatim, so they keep the Windows Sockets numbering and wording whatever the platform.

#include <QByteArray>
#include <QString>

#include <stdexcept>

class THttpError : public std::runtime_error
{
public:
    // statusCode: the answer's status for a non-2xx answer, 0 for every other failure;
    // location: that answer's Location header, where it had one
    explicit THttpError(const QString& message, int statusCode = 0, const QByteArray& location = {});
    QString Message() const { return QString::fromUtf8(what()); }
    int StatusCode() const { return FStatusCode; }
    const QByteArray& Location() const { return FLocation; }

private:
    int FStatusCode;
    QByteArray FLocation;
};

// A request stopped by THttpClient::Cancel; nothing is to be reported for it.
class THttpCancelled : public std::runtime_error
{
public:
    THttpCancelled() : std::runtime_error("Request cancelled") {}
};

inline constexpr char ConnectionClosedGracefully[] = "Connection Closed Gracefully.";
inline constexpr char MaxLineLengthExceeded[] = "Max line length exceeded.";
inline constexpr char SslConnectError[] = "Error connecting with SSL.";
inline constexpr char SslContextError[] = "Error creating SSL context.";

inline constexpr int WsaTimedOut = 10060;
inline constexpr int WsaConnRefused = 10061;
inline constexpr int WsaConnReset = 10054;
inline constexpr int WsaHostNotFound = 11001;

// The Windows Sockets text for a number; empty for a number outside the table.
QString SocketErrorText(int wsaNumber);

// "Socket Error # N" CR LF and the number's text.
QString SocketErrorMessage(int wsaNumber);

// The Windows Sockets number for a POSIX errno value; the value itself when there is none.
int WsaNumberFromErrno(int posixErrno);

// The ways libcurl refuses an answer it cannot read. Its own wording never reaches the user, so
// the caller tells them apart here and gives the texts of this client instead.
enum class TCurlComplaint
{
    None,
    ChunkFraming,  // a chunk size (or the line end after a chunk) it cannot read
    HeadTooLarge,  // the head as a whole is longer than libcurl holds
    AnswerRefused, // a status line or header it cannot read, such as a bad Content-Length
};

// detail: libcurl's own description of the failure.
TCurlComplaint CurlComplaintOf(int curlCode, long osErrno, const char* detail);

// The message text of a libcurl failure that left no usable answer head. sawStatus: a status
// line had arrived; detail: libcurl's own description, kept only after the TLS texts.
QString CurlFailureText(int curlCode, long osErrno, bool sawStatus, bool lineTooLong, const char* detail);
