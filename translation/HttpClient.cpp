#include "HttpClient.h"

#include "AnswerHead.h"
#include "HttpFailure.h"
#include "HttpTarget.h"

#include <curl/curl.h>

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

    static size_t OnHeader(char* data, size_t size, size_t count, void* user);
    static size_t OnBody(char* data, size_t size, size_t count, void* user);
    static int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* user);
    static int OnRequest(void* user, char*, char*, int, int);
};

size_t THttpClient::TTransfer::OnHeader(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<TTransfer*>(user);
    const size_t length = size * count;
    // Returning less than the line's length stops the transfer.
    const bool accepted =
        transfer->Head.ReadLine(data, length, *transfer->Cookies, *transfer->Target, transfer->Now);
    return accepted ? length : 0;
}

size_t THttpClient::TTransfer::OnBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<TTransfer*>(user);
    const size_t length = size * count;
    // The body of a failed answer is read and dropped; the caller's stream only sees success.
    if (IsSuccess(transfer->Head.StatusCode)) {
        transfer->Stream->append(data, qsizetype(length));
    }
    return length;
}

int THttpClient::TTransfer::OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    if (type == CURLINFO_HEADER_IN && size >= 5 && std::memcmp(data, "HTTP/", 5) == 0) {
        static_cast<TTransfer*>(user)->LastStatusLineSeen = WithoutLineEnd(data, size);
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

void THttpClient::SetTimeouts(std::chrono::seconds connect, std::chrono::seconds idle)
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
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, long(FConnectTimeout.count()));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, long(FIdleTimeout.count()));

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
    if (viaProxy && !proxy.UserName.isEmpty()) {
        // Two methods allowed: libcurl then waits for the proxy's challenge instead of sending
        // the password with every request.
        curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, proxy.UserName.constData());
        curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, proxy.Password.constData());
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
        curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
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
        throw THttpError(QString::fromLatin1(transfer.LastStatusLineSeen), int(connectCode));
    }

    // A head that ended because the peer closed counts as complete, and so does a body without
    // chunks that is shorter than announced; a chunked body cut short does not.
    long osErrno = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osErrno);
    if (transfer.Head.SawStatus && !transfer.Head.LineTooLong) {
        const bool peerClosed =
            (result == CURLE_PARTIAL_FILE || result == CURLE_GOT_NOTHING || result == CURLE_RECV_ERROR) &&
            osErrno != ECONNRESET;
        if (result == CURLE_OK || peerClosed) {
            if (!IsSuccess(transfer.Head.StatusCode)) {
                throw THttpError(QString::fromLatin1(transfer.Head.StatusLine), transfer.Head.StatusCode);
            }
            if (result != CURLE_OK && transfer.Head.HeadComplete && transfer.Head.Chunked) {
                throw THttpError(QString::fromLatin1(ConnectionClosedGracefully));
            }
            return;
        }
        if (transfer.Head.HeadComplete && !IsSuccess(transfer.Head.StatusCode)) {
            throw THttpError(QString::fromLatin1(transfer.Head.StatusLine), transfer.Head.StatusCode);
        }
    }
    throw THttpError(
        CurlFailureText(result, osErrno, transfer.Head.SawStatus, transfer.Head.LineTooLong, errorBuffer));
}
