#include "ConnectionStream.h"

#include <chrono>
#include <poll.h>
#include <sys/socket.h>

namespace zorvanel::test {

namespace {
constexpr int LingerMs = 2000;
}

TConnectionStream::TConnectionStream(int fd, int stopFd) : FFd(fd), FStopFd(stopFd) {}

TConnectionStream::~TConnectionStream()
{
    Close();
}

bool TConnectionStream::WaitReadable(int timeoutMs) const
{
    if (FSsl && SSL_pending(FSsl.get()) > 0)
        return true;
    pollfd fds[2] = {{FFd, POLLIN, 0}, {FStopFd, POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || fds[1].revents != 0)
            return false;
        return true; // readable, or hung up / failed: the read that follows tells which
    }
}

bool TConnectionStream::StartTls(SSL_CTX* context)
{
    if (!WaitReadable(-1))
        return false;
    TSslPtr ssl(SSL_new(context));
    if (!ssl || SSL_set_fd(ssl.get(), FFd) != 1)
        return false;
    // The socket is blocking: a stalled handshake ends when the endpoint shuts the socket down.
    if (SSL_accept(ssl.get()) != 1) {
        TakeSslErrors();
        return false;
    }
    FSsl = std::move(ssl);
    return true;
}

bool TConnectionStream::PeekTlsHandshake()
{
    if (!WaitReadable(-1))
        return false;
    unsigned char first = 0;
    return ::recv(FFd, &first, 1, MSG_PEEK) == 1 && first == 0x16;
}

qsizetype TConnectionStream::Read(char* buffer, qsizetype size)
{
    if (!WaitReadable(-1))
        return -1;
    if (FSsl) {
        const int count = SSL_read(FSsl.get(), buffer, static_cast<int>(size));
        if (count > 0)
            return count;
        const int error = SSL_get_error(FSsl.get(), count);
        TakeSslErrors();
        // A peer that drops the TCP connection without close_notify has still ended the stream.
        return error == SSL_ERROR_ZERO_RETURN || error == SSL_ERROR_SYSCALL || error == SSL_ERROR_SSL ? 0
                                                                                                      : -1;
    }
    for (;;) {
        const ssize_t count = ::recv(FFd, buffer, static_cast<size_t>(size), 0);
        if (count < 0 && errno == EINTR)
            continue;
        return count < 0 ? -1 : count;
    }
}

bool TConnectionStream::Write(const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const qsizetype left = bytes.size() - sent;
        if (FSsl) {
            const int count = SSL_write(FSsl.get(), bytes.constData() + sent, static_cast<int>(left));
            if (count <= 0) {
                TakeSslErrors();
                return false;
            }
            sent += count;
            continue;
        }
        const ssize_t count = ::send(FFd, bytes.constData() + sent, static_cast<size_t>(left), MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        sent += count;
    }
    return true;
}

void TConnectionStream::WaitForStop() const
{
    pollfd stop = {FStopFd, POLLIN, 0};
    while (::poll(&stop, 1, -1) < 0 && errno == EINTR) {
    }
}

bool TConnectionStream::Pause(int milliseconds) const
{
    pollfd stop = {FStopFd, POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return true;
        const int ready = ::poll(&stop, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return false;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

void TConnectionStream::Reset()
{
    if (FClosed)
        return;
    FClosed = true;
    FSsl.reset();
    // A zero linger time makes the endpoint's close of the socket send a reset.
    const linger abort{1, 0};
    ::setsockopt(FFd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
}

void TConnectionStream::Close()
{
    if (FClosed)
        return;
    FClosed = true;
    if (FSsl) {
        SSL_shutdown(FSsl.get());
        TakeSslErrors();
        FSsl.reset();
    }
    ::shutdown(FFd, SHUT_WR);
    // Closing with unread bytes would send a reset, which a client reports differently from an
    // orderly close; so wait (briefly) for the peer's own end of stream.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(LingerMs);
    char discard[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !WaitReadable(static_cast<int>(left.count())))
            return;
        const ssize_t count = ::recv(FFd, discard, sizeof discard, 0);
        if (count == 0 || (count < 0 && errno != EINTR))
            return;
    }
}

} // namespace zorvanel::test
