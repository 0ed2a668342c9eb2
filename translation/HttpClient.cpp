#include "HttpClient.h"

#include "AnswerHead.h"
#include "HttpFailure.h"
#include "HttpTarget.h"

#include <curl/curl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <mutex>

namespace {

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TSlist
{
    curl_slist* List = nullptr;
    ~TSlist() { curl_slist_free_all(List); }
    void Add(const QByteArray& line) { List = curl_slist_append(List, line.constData()); }
    void AddIfSet(const char* name, const QByteArray& value)
    {
        if (!value.isEmpty()) {
            Add(QByteArray(name) + ": " + value);
        }
    }
};

bool IsSuccess(int statusCode)
{
    return statusCode >= 200 && statusCode < 300;
}

// libcurl before 8.8.0 percent-decodes the proxy user name and password each time it sets up a
// connection for a transfer, and keeps the decoded text for the next time: once for a tunnel,
// whose challenge is answered on the connection being set up, twice for a plain request, whose
// answer to the challenge is a second request. Encoding them as often as they will be decoded
// makes every byte reach the proxy as typed.
QByteArray ProxyCredentialForCurl(const QByteArray& credential, bool tunnel)
{
    static const bool decodes = curl_version_info(CURLVERSION_NOW)->version_num < 0x080800;
    QByteArray encoded = credential;
    for (int i = decodes ? (tunnel ? 1 : 2) : 0; i > 0; --i) {
        encoded = encoded.toPercentEncoding();
    }
    return encoded;
}

bool IsHtmlType(const QByteArray& contentType)
{
    return contentType.trimmed().toLower().startsWith("text/html");
}

} // namespace

struct THttpClient::TCurl
{
    CURL* Easy = nullptr;
    CURLM* Multi = nullptr;
    TCurl()
    {
        InitCurlOnce();
        Easy = curl_easy_init();
        Multi = curl_multi_init();
        if (!Easy || !Multi) {
            throw THttpError(QStringLiteral("Unable to initialise the HTTP client"));
        }
    }
    ~TCurl()
    {
        curl_easy_cleanup(Easy);
        curl_multi_cleanup(Multi);
    }
};

// What one exchange learns from the answer, filled by libcurl's callbacks.
struct THttpClient::TTransfer
{
    QByteArray* Stream = nullptr;
    TCookieStore* Cookies = nullptr;
    const THttpTarget* Target = nullptr;
    std::time_t Now = 0;

    TAnswerHead Head;
    int RequestsSent = 0;
    bool ResendRefused = false;
    QByteArray LastStatusLineSeen; // also those of a proxy's CONNECT answers

    // When a byte of the answer last arrived (or the request went out): the idle limit counts
    // from there.
    std::chrono::steady_clock::time_point LastArrival = std::chrono::steady_clock::now();
    bool IdleTimedOut = false;
    void Arrived() { LastArrival = std::chrono::steady_clock::now(); }

    static size_t OnHeader(char* data, size_t size, size_t count, void* user);
    static size_t OnBody(char* data, size_t size, size_t count, void* user);
    static int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* user);
    static int OnRequest(void* user, char*, char*, int, int);
};

size_t THttpClient::TTransfer::OnHeader(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<TTransfer*>(user);
    const size_t length = size * count;
    transfer->Arrived();
    // Returning less than the line's length stops the transfer.
    const bool accepted =
        transfer->Head.ReadLine(data, length, *transfer->Cookies, *transfer->Target, transfer->Now);
    return accepted ? length : 0;
}

size_t THttpClient::TTransfer::OnBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<TTransfer*>(user);
    const size_t length = size * count;
    transfer->Arrived();
    // An answer without a status line comes here whole; its first line fails the exchange.
    if (!transfer->Head.SawStatus) {
        return transfer->Head.ReadHeadless(data, length) ? length : 0;
    }
    // The body of a failed answer is read and dropped; the caller's stream only sees success.
    if (IsSuccess(transfer->Head.StatusCode)) {
        transfer->Stream->append(data, qsizetype(length));
    }
    return length;
}

int THttpClient::TTransfer::OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    if (type == CURLINFO_HEADER_IN) {
        const QByteArray line = WithoutLineEnd(data, size);
        if (IsStatusLine(line)) {
            static_cast<TTransfer*>(user)->LastStatusLineSeen = line;
        }
    }
    return 0;
}

int THttpClient::TTransfer::OnRequest(void* user, char*, char*, int, int)
{
    // libcurl sends a request again on a fresh connection when a reused one closed without a
    // byte of answer. The peer may have read and acted on it, and the caller is owed the
    // failure, so only a second request after an answer head (a proxy's challenge) may go.
    auto* transfer = static_cast<TTransfer*>(user);
    if (transfer->RequestsSent++ > 0 && !transfer->Head.SawStatus) {
        transfer->ResendRefused = true;
        return CURL_PREREQFUNC_ABORT;
    }
    transfer->Arrived(); // connected: from now on the wait is for the answer
    return CURL_PREREQFUNC_OK;
}

THttpClient::THttpClient() : FCurl(std::make_unique<TCurl>()) {}

THttpClient::~THttpClient() = default;

void THttpClient::ResetRequestFields()
{
    Request = TRequestFields();
}

void THttpClient::SetProxyServer(const QByteArray& server)
{
    std::lock_guard lock(FProxyMutex);
    FProxy.Server = server;
}

void THttpClient::SetProxyPort(int port)
{
    std::lock_guard lock(FProxyMutex);
    FProxy.Port = port;
}

void THttpClient::SetProxyUserName(const QByteArray& userName)
{
    std::lock_guard lock(FProxyMutex);
    FProxy.UserName = userName;
}

void THttpClient::SetProxyPassword(const QByteArray& password)
{
    std::lock_guard lock(FProxyMutex);
    FProxy.Password = password;
}

void THttpClient::ClearProxy()
{
    std::lock_guard lock(FProxyMutex);
    FProxy = TProxyParams();
}

TProxyParams THttpClient::Proxy() const
{
    std::lock_guard lock(FProxyMutex);
    return FProxy;
}

void THttpClient::Cancel()
{
    FCancelled = true;
    curl_multi_wakeup(FCurl->Multi);
}

void THttpClient::SetTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds idle)
{
    FConnectTimeout = connect;
    FIdleTimeout = idle;
}

void THttpClient::Get(const QByteArray& url, QByteArray& stream)
{
    Perform(url, nullptr, stream);
}

void THttpClient::Post(const QByteArray& url, const QList<QByteArray>& lines, QByteArray& stream)
{
    const QByteArray body = PostBodyFromLines(lines);
    Perform(url, &body, stream);
}

QByteArray PostBodyFromLines(const QList<QByteArray>& lines)
{
    QByteArray text = lines.join("\r\n");
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') {
        ++begin;
    }
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') {
        --end;
    }
    return text.mid(begin, end - begin).replace("\r\n", "&");
}

void THttpClient::Perform(const QByteArray& url, const QByteArray* body, QByteArray& stream)
{
    if (FCancelled) {
        throw THttpCancelled();
    }
    const THttpTarget target = SplitUrl(url);
    const TProxyParams proxy = Proxy();
    const bool viaProxy = !proxy.Server.isEmpty();
    const bool tunnel = viaProxy && target.IsHttps();
    const bool isPost = body != nullptr;

    CURL* easy = FCurl->Easy;
    curl_easy_reset(easy); // keeps the open connections and TLS sessions

    TTransfer transfer;
    transfer.Stream = &stream;
    transfer.Cookies = &FCookies;
    transfer.Target = &target;
    transfer.Now = std::time(nullptr);

    // The head goes out exactly in this order. libcurl writes only the request line itself: the
    // bare "Host:" stops its own Host line, so ours stands where it belongs, and the other empty
    // entries stop the headers it would add by itself.
    const QByteArray contentType =
        isPost && (Request.ContentType.isEmpty() || IsHtmlType(Request.ContentType))
            ? QByteArray("application/x-www-form-urlencoded")
            : Request.ContentType;
    TSlist headers;
    headers.Add("Host:");
    if (!target.IsHttps()) {
        headers.AddIfSet("Connection", Request.Connection);
    }
    headers.AddIfSet("Content-Type", contentType);
    if (isPost) {
        headers.Add("Content-Length: " + QByteArray::number(body->size()));
    }
    headers.AddIfSet("Cache-control", Request.CacheControl);
    headers.AddIfSet("Pragma", Request.Pragma);
    headers.Add("Host: " + target.HostHeader());
    headers.Add(Request.Accept.isEmpty() ? QByteArray("Accept:") : "Accept: " + Request.Accept);
    headers.Add("Accept-Encoding: identity");
    headers.AddIfSet("Accept-Language", Request.AcceptLanguage);
    headers.AddIfSet("Referer", Request.Referer);
    headers.AddIfSet("User-Agent", Request.UserAgent);
    headers.AddIfSet("Cookie",
                     FCookies.HeaderFor(target.Host, target.Target, target.IsHttps(), transfer.Now));
    headers.Add("Expect:");
    headers.Add("Proxy-Connection:");

    TSlist connectHeaders;
    if (tunnel) {
        connectHeaders.Add("Pragma: no-cache");
        connectHeaders.Add("Proxy-Connection: keep-alive");
        connectHeaders.Add("Host: " + target.HostHeader());
        connectHeaders.Add("Accept: text/html, */*");
        connectHeaders.AddIfSet("User-Agent", Request.UserAgent);
    }

    const QByteArray origin = target.Origin();
    // Through a proxy a plain request names the whole URL, as given; otherwise path and query.
    const QByteArray requestTarget = viaProxy && !tunnel ? url : target.Target;
    const bool http10 = ProtocolVersion == THttpVersion::Http10 || (isPost && !KeepPostOnProtocolVersion);
    char errorBuffer[CURL_ERROR_SIZE] = {};
    // ZORVANEL_CA_FILE trusts further certificates; the system's store (libcurl's CA path)
    // stays in force beside it.
    const QByteArray extraCaFile = qgetenv("ZORVANEL_CA_FILE");

    curl_easy_setopt(easy, CURLOPT_URL, origin.constData());
    curl_easy_setopt(easy, CURLOPT_REQUEST_TARGET, requestTarget.constData());
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_IPRESOLVE, CURL_IPRESOLVE_V4);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(FConnectTimeout.count()));
    // An answer that is no HTTP at all still reaches the body callback, so that its first line
    // can be its failure's text.
    curl_easy_setopt(easy, CURLOPT_HTTP09_ALLOWED, 1L);

    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(easy, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2));
    if (!extraCaFile.isEmpty()) {
        curl_easy_setopt(easy, CURLOPT_CAINFO, extraCaFile.constData());
    }

    // An empty proxy also keeps libcurl from following the proxy environment variables.
    const QByteArray proxyUrl = viaProxy ? "http://" + SplitUrl("http://" + proxy.Server + '/').HostHeader() +
                                               ':' + QByteArray::number(proxy.Port)
                                         : QByteArray();
    curl_easy_setopt(easy, CURLOPT_PROXY, proxyUrl.constData());
    const QByteArray proxyUserName = ProxyCredentialForCurl(proxy.UserName, tunnel);
    const QByteArray proxyPassword = ProxyCredentialForCurl(proxy.Password, tunnel);
    if (viaProxy && !proxy.UserName.isEmpty()) {
        // Two methods allowed: libcurl then waits for the proxy's challenge instead of sending
        // the password with every request.
        curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, proxyUserName.constData());
        curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, proxyPassword.constData());
        curl_easy_setopt(easy, CURLOPT_PROXYAUTH, long(CURLAUTH_BASIC | CURLAUTH_DIGEST));
    }
    curl_easy_setopt(easy, CURLOPT_HEADEROPT, long(CURLHEADER_SEPARATE));
    curl_easy_setopt(easy, CURLOPT_PROXYHEADER, connectHeaders.List);
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    if (tunnel) {
        curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
        curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &TTransfer::OnDebug);
        curl_easy_setopt(easy, CURLOPT_DEBUGDATA, &transfer);
    }

    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.List);
    if (isPost) {
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE, long(body->size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body->constData());
    } else {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &TTransfer::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &TTransfer::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &TTransfer::OnRequest);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &transfer);

    // The multi interface lets Cancel wake a transfer that is waiting on an idle socket.
    CURLM* multi = FCurl->Multi;
    curl_multi_add_handle(multi, easy);
    CURLcode result = CURLE_OK;
    for (;;) {
        if (FCancelled) {
            curl_multi_remove_handle(multi, easy);
            throw THttpCancelled();
        }
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int pending = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &pending)) {
                if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
                    result = message->data.result;
                }
            }
            break;
        }
        // Idle is idle from the request on: connecting has its own limit.
        const auto idle = std::chrono::steady_clock::now() - transfer.LastArrival;
        if (transfer.RequestsSent > 0 && idle >= FIdleTimeout) {
            transfer.IdleTimedOut = true;
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(FIdleTimeout - idle);
        int ready = 0;
        curl_multi_poll(multi, nullptr, 0, int(std::clamp<long long>(left.count(), 1, 1000)), &ready);
        // Bytes waiting on the connection have arrived, even before they make up a whole line.
        if (ready > 0 && transfer.RequestsSent > 0) {
            transfer.Arrived();
        }
    }
    curl_multi_remove_handle(multi, easy);
    if (FCancelled) {
        throw THttpCancelled();
    }

    if (transfer.ResendRefused) {
        throw THttpError(QString::fromLatin1(ConnectionClosedGracefully));
    }
    long connectCode = 0;
    curl_easy_getinfo(easy, CURLINFO_HTTP_CONNECTCODE, &connectCode);
    if (tunnel && connectCode >= 300) {
        // The proxy's own refusal, not the endpoint's answer: no status code for the caller to
        // act on as if the endpoint had refused.
        throw THttpError(QString::fromLatin1(transfer.LastStatusLineSeen));
    }
    long osErrno = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osErrno);
    if (transfer.IdleTimedOut) {
        result = CURLE_OPERATION_TIMEDOUT;
        osErrno = 0;
    }
    ThrowUnlessAnswered(transfer.Head, result, osErrno, errorBuffer);
}

void THttpClient::ThrowUnlessAnswered(const TAnswerHead& head, int curlCode, long osErrno,
                                      const char* errorText)
{
    const auto result = CURLcode(curlCode);
    const TCurlComplaint complaint = CurlComplaintOf(result, osErrno, errorText);
    if (head.LineTooLong || complaint == TCurlComplaint::HeadTooLarge) {
        throw THttpError(QString::fromLatin1(MaxLineLengthExceeded));
    }
    const auto statusLineFailure = [&] {
        // An answer whose first line is empty has no status line to show.
        const QByteArray text =
            head.StatusLine.isEmpty() ? QByteArray(ConnectionClosedGracefully) : head.StatusLine;
        return THttpError(QString::fromLatin1(text), head.StatusCode, head.Location);
    };
    if (!head.SawStatus) {
        // libcurl hands over no status line it cannot read; of this client's texts the closest
        // is that of a status line that never came whole.
        if (result == CURLE_OK || complaint == TCurlComplaint::AnswerRefused) {
            throw THttpError(QString::fromLatin1(ConnectionClosedGracefully));
        }
        throw THttpError(CurlFailureText(result, osErrno, false, false, errorText));
    }
    // A head that ended because the peer closed counts as complete, and so does a body without
    // chunks that is shorter than announced; a chunked body cut short does not. A chunk size
    // that cannot be read counts as 0: the body ends there.
    const bool peerClosed =
        result == CURLE_PARTIAL_FILE || result == CURLE_GOT_NOTHING ||
        (result == CURLE_RECV_ERROR && complaint == TCurlComplaint::None && osErrno != ECONNRESET);
    if (result == CURLE_OK || peerClosed || complaint == TCurlComplaint::ChunkFraming) {
        if (!IsSuccess(head.StatusCode)) {
            throw statusLineFailure();
        }
        if (peerClosed && head.HeadComplete && head.Chunked) {
            throw THttpError(QString::fromLatin1(ConnectionClosedGracefully));
        }
        return;
    }
    if ((head.HeadComplete || complaint == TCurlComplaint::AnswerRefused) && !IsSuccess(head.StatusCode)) {
        throw statusLineFailure();
    }
    if (complaint == TCurlComplaint::AnswerRefused) {
        // A successful answer whose head libcurl cannot read, so that its body cannot be read
        // either: closest to a body cut short.
        throw THttpError(QString::fromLatin1(ConnectionClosedGracefully));
    }
    throw THttpError(CurlFailureText(result, osErrno, true, false, errorText));
}
