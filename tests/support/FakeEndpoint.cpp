#include "FakeEndpoint.h"

#include "DefaultAnswer.h"
#include "FakeEndpointImpl.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>

namespace zorvanel::test {

namespace {

std::runtime_error SystemError(const std::string& what)
{
    return std::runtime_error(what + ": " + std::strerror(errno));
}

// A peer that has gone away must make a write fail, not kill the test program.
void BlockSigPipe()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

} // namespace

TFakeEndpoint::TImpl::TImpl(TFakeEndpointOptions options) : FOptions(std::move(options))
{
    if (FOptions.Tls)
        FTls = MakeServerTlsContext();

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        throw SystemError("pipe2");
    FStopRead.Reset(pipeFds[0]);
    FStopWrite.Reset(pipeFds[1]);

    FListen.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!FListen.Valid())
        throw SystemError("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(FListen.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(FListen.Get(), 64) != 0 ||
        ::getsockname(FListen.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw SystemError("listening on 127.0.0.1");
    FPort = ntohs(address.sin_port);

    FAcceptThread = std::thread([this] { AcceptLoop(); });
}

TFakeEndpoint::TImpl::~TImpl()
{
    {
        std::lock_guard lock(FMutex);
        FStopping = true;
        for (const int socket : FOpenSockets)
            ::shutdown(socket, SHUT_RDWR);
    }
    const char stop = 's';
    while (::write(FStopWrite.Get(), &stop, 1) < 0 && errno == EINTR) {
    }
    FAcceptThread.join();
    for (TWorker& worker : FWorkers)
        worker.Thread.join();
}

void TFakeEndpoint::TImpl::AcceptLoop()
{
    BlockSigPipe();
    pollfd fds[2] = {{FListen.Get(), POLLIN, 0}, {FStopRead.Get(), POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        TUniqueFd socket(::accept4(FListen.Get(), nullptr, nullptr, SOCK_CLOEXEC));
        if (!socket.Valid())
            continue;
        int number = 0;
        {
            std::lock_guard lock(FMutex);
            if (FStopping)
                return;
            number = ++FConnections;
            FOpenSockets.insert(socket.Get());
        }
        ReapFinishedWorkers();
        auto finished = std::make_shared<std::atomic<bool>>(false);
        FWorkers.push_back({std::thread([this, finished, number, fd = socket.Get()] {
                                Serve(TUniqueFd(fd), number);
                                *finished = true;
                            }),
                            finished});
        (void)socket.Release();
    }
}

void TFakeEndpoint::TImpl::ReapFinishedWorkers()
{
    for (auto worker = FWorkers.begin(); worker != FWorkers.end();) {
        if (*worker->Finished) {
            worker->Thread.join();
            worker = FWorkers.erase(worker);
        } else {
            ++worker;
        }
    }
}

std::optional<TScriptedAnswer> TFakeEndpoint::TImpl::TakeAnswer(bool onAccept)
{
    if (FQueue.empty())
        return std::nullopt;
    if (onAccept && FQueue.front().Kind != TScriptedAnswer::TKind::CloseBeforeReading)
        return std::nullopt;
    TScriptedAnswer answer = std::move(FQueue.front());
    FQueue.pop_front();
    return answer;
}

void TFakeEndpoint::TImpl::Record(TRecordedRequest request)
{
    FRequests.push_back(std::move(request));
    if (FOptions.OnRequest)
        FOptions.OnRequest(FRequests.back(), static_cast<int>(FRequests.size()));
}

TFakeEndpoint::TFakeEndpoint(TFakeEndpointOptions options)
    : FImpl(std::make_unique<TImpl>(std::move(options)))
{
}

TFakeEndpoint::~TFakeEndpoint() = default;

quint16 TFakeEndpoint::Port() const
{
    return FImpl->FPort;
}

QByteArray TFakeEndpoint::BaseUrl() const
{
    return (FImpl->FOptions.Tls ? "https://localhost:" : "http://localhost:") +
           QByteArray::number(FImpl->FPort);
}

void TFakeEndpoint::Enqueue(TScriptedAnswer answer)
{
    std::lock_guard lock(FImpl->FMutex);
    FImpl->FQueue.push_back(std::move(answer));
}

void TFakeEndpoint::Respond(QByteArray bytes, bool closeAfter)
{
    Enqueue({TScriptedAnswer::TKind::Respond, std::move(bytes), closeAfter});
}

std::vector<TRecordedRequest> TFakeEndpoint::Requests() const
{
    std::lock_guard lock(FImpl->FMutex);
    return FImpl->FRequests;
}

int TFakeEndpoint::ConnectionCount() const
{
    std::lock_guard lock(FImpl->FMutex);
    return FImpl->FConnections;
}

QList<QByteArray> TFakeEndpoint::ClientIds() const
{
    QList<QByteArray> ids;
    for (const TRecordedRequest& request : Requests()) {
        if (TargetPath(request.Target) == TranslatePath)
            ids.append(FormValue(RequestParameters(request), "client"));
    }
    return ids;
}

} // namespace zorvanel::test
