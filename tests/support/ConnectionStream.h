#pragma once
// One accepted connection of the fake endpoint, plain or TLS. Every wait also watches the
// endpoint's stop pipe, so a stopping endpoint never waits for a peer.

#include "SslHandles.h"
#include "UniqueFd.h"

#include <QByteArray>

namespace zorvanel::test {

class TConnectionStream
{
public:
    TConnectionStream(int fd, int stopFd);
    ~TConnectionStream();
    TConnectionStream(const TConnectionStream&) = delete;
    TConnectionStream& operator=(const TConnectionStream&) = delete;

    // Server side of a TLS handshake on the connection as it is now (also inside a tunnel).
    bool StartTls(SSL_CTX* context);
    bool IsTls() const { return FSsl != nullptr; }

    // Waits for the first byte and tells whether it opens a TLS handshake, consuming nothing.
    bool PeekTlsHandshake();

    // Bytes read (> 0), 0 at the peer's end of stream, -1 on an error or when the endpoint stops.
    qsizetype Read(char* buffer, qsizetype size);
    bool Write(const QByteArray& bytes);

    // Holds the connection until the endpoint stops.
    void WaitForStop() const;
    // Waits for that long; false when the endpoint stops meanwhile.
    bool Pause(int milliseconds) const;

    // Ends the connection with a reset: no close_notify, no FIN, unread bytes dropped.
    void Reset();

    // Ends the connection so that the peer sees an orderly end rather than a reset: close_notify
    // under TLS, FIN, then what the peer still sends is drained for a short while.
    void Close();

private:
    bool WaitReadable(int timeoutMs) const; // false on stop or time-out

    int FFd; // owned by the endpoint, which closes it after Close()
    int FStopFd;
    TSslPtr FSsl;
    bool FClosed = false;
};

} // namespace zorvanel::test
