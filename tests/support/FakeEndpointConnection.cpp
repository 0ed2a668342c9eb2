// How the fake endpoint serves one connection: TLS or not, the proxy's CONNECT and its
// credentials, then requests answered from the queue or by default, kept alive between them.

#include "DefaultAnswer.h"
#include "FakeEndpointImpl.h"
#include "HttpHead.h"
#include "RequestReader.h"

namespace zorvanel::test {

namespace {

const QByteArray ProxyAuthRequired = "HTTP/1.1 407 Proxy Authentication Required\r\n"
                                     "Proxy-Authenticate: Basic realm=\"test\"\r\n"
                                     "Content-Length: 0\r\n\r\n";
const QByteArray TunnelEstablished = "HTTP/1.1 200 Connection established\r\n\r\n";

bool ProxyAuthorised(const QByteArray& head, const QByteArray& credentials)
{
    if (credentials.isEmpty())
        return true;
    const QByteArray value = HeaderValue(head, "Proxy-Authorization");
    const qsizetype space = value.indexOf(' ');
    if (space < 0 || value.left(space).compare("Basic", Qt::CaseInsensitive) != 0)
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(value.mid(space + 1).trimmed(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    return decoded && *decoded == credentials;
}

bool WantsClose(const TRecordedRequest& request)
{
    return HeaderValue(request.Head, "Connection").toLower().contains("close") ||
           HeaderValue(request.Head, "Proxy-Connection").toLower().contains("close");
}

// The trickling part of an answer, one byte at a time; false when the connection or the
// endpoint ends first.
bool Trickle(TConnectionStream& stream, const TScriptedAnswer& answer)
{
    for (const char byte : answer.Trickle) {
        if (!stream.Pause(static_cast<int>(answer.TricklePause.count())) ||
            !stream.Write(QByteArray(1, byte)))
            return false;
    }
    return true;
}

} // namespace

void TFakeEndpoint::TImpl::Serve(TUniqueFd socket, int number)
{
    std::optional<TScriptedAnswer> onAccept;
    {
        std::lock_guard lock(FMutex);
        onAccept = TakeAnswer(true);
    }
    {
        TConnectionStream stream(socket.Get(), FStopRead.Get());
        if (!onAccept) {
            // A proxy must read plain HTTP; a direct client of the same endpoint opens with TLS.
            const bool plain = !FOptions.Tls || (FOptions.Proxy && !stream.PeekTlsHandshake());
            if (plain || stream.StartTls(FTls.get()))
                ServeRequests(stream, number);
        }
    } // the stream's end closes the connection in order before the socket is let go
    std::lock_guard lock(FMutex);
    FOpenSockets.erase(socket.Get());
}

void TFakeEndpoint::TImpl::ServeRequests(TConnectionStream& stream, int number)
{
    QByteArray pending;
    bool tunnelled = false;
    for (;;) {
        TReadRequest read = ReadRequest(stream, pending);
        if (!read.Request)
            return;
        TRecordedRequest& request = *read.Request;
        request.Connection = number;
        request.Tunnelled = tunnelled;
        const bool toProxy =
            FOptions.Proxy && !tunnelled && (request.Method == "CONNECT" || !request.Target.startsWith('/'));
        const bool connect = toProxy && request.Method == "CONNECT";
        const bool authorised = !toProxy || ProxyAuthorised(request.Head, FOptions.ProxyCredentials);

        std::optional<TScriptedAnswer> answer;
        {
            std::lock_guard lock(FMutex);
            Record(request);
            if (read.Complete && authorised && !connect)
                answer = TakeAnswer(false);
        }
        if (!read.Complete)
            return;

        if (!authorised) {
            if (!stream.Write(ProxyAuthRequired))
                return;
            continue;
        }
        if (connect && !FOptions.ConnectAnswer.isEmpty()) {
            if (!stream.Write(FOptions.ConnectAnswer))
                return;
            continue;
        }
        if (connect) {
            if (!stream.Write(TunnelEstablished))
                return;
            if (FOptions.Tls && !stream.StartTls(FTls.get()))
                return;
            tunnelled = true;
            continue;
        }
        if (!answer) {
            if (!stream.Write(DefaultAnswer(request, FOptions)) || WantsClose(request))
                return;
            continue;
        }
        switch (answer->Kind) {
        case TScriptedAnswer::TKind::Respond:
            if (!stream.Write(answer->Bytes) || !Trickle(stream, *answer) || answer->CloseAfter ||
                WantsClose(request))
                return;
            continue;
        case TScriptedAnswer::TKind::ResetAfterReading:
            stream.Reset();
            return;
        case TScriptedAnswer::TKind::Silent:
            stream.WaitForStop();
            return;
        case TScriptedAnswer::TKind::CloseBeforeReading:
        case TScriptedAnswer::TKind::CloseAfterReading:
            return;
        }
    }
}

} // namespace zorvanel::test
