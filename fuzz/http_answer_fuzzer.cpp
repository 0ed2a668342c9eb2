// Whole answers through THttpClient::Get, from a peer on loopback that this program serves: the
// input is every byte the peer sends once it has read the request head, and then it closes. This
// reaches the status line and header callbacks and libcurl's chunk reading as the client sets it
// up. Get returns or throws THttpError with a text; nothing else.

#include "FuzzSupport.h"
#include "HttpClient.h"
#include "HttpFailure.h"
#include "RequestHeaders.h"

#include <QByteArray>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace zorvanel::fuzz;

namespace {

class TLoopbackPeer
{
public:
    TLoopbackPeer()
    {
        FListener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        Require(FListener >= 0 && bind(FListener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                    listen(FListener, 8) == 0 &&
                    getsockname(FListener, reinterpret_cast<sockaddr*>(&address), &length) == 0,
                "a loopback port can be listened on");
        FPort = ntohs(address.sin_port);
    }
    ~TLoopbackPeer() { close(FListener); }
    TLoopbackPeer(const TLoopbackPeer&) = delete;
    TLoopbackPeer& operator=(const TLoopbackPeer&) = delete;

    int Port() const { return FPort; }

    // Takes one connection, reads the request head, sends the answer and closes. Gives up when
    // the client is done without having connected.
    void Serve(const QByteArray& answer, const std::atomic<bool>& clientDone)
    {
        int connection = -1;
        while (connection < 0 && !clientDone) {
            pollfd wait{FListener, POLLIN, 0};
            if (poll(&wait, 1, 20) > 0) {
                connection = accept4(FListener, nullptr, nullptr, SOCK_CLOEXEC);
            }
        }
        if (connection < 0) {
            return;
        }
        ReadRequestHead(connection);
        for (qsizetype sent = 0; sent < answer.size();) {
            const ssize_t n =
                send(connection, answer.constData() + sent, std::size_t(answer.size() - sent), MSG_NOSIGNAL);
            if (n <= 0) {
                break; // the client stopped reading, as it does after a line too long
            }
            sent += n;
        }
        shutdown(connection, SHUT_WR);
        close(connection);
    }

    // A connection the client opened beyond the one served must not meet the next run's answer.
    void DropWaiting()
    {
        for (int extra; (extra = accept4(FListener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
            close(extra);
        }
    }

private:
    // Reads up to the blank line that ends a GET's head, so that closing afterwards is an orderly
    // end and not a reset for unread bytes.
    static void ReadRequestHead(int connection)
    {
        QByteArray head;
        char buffer[4096];
        while (!head.contains("\r\n\r\n")) {
            pollfd wait{connection, POLLIN, 0};
            if (poll(&wait, 1, 5000) <= 0) {
                return;
            }
            const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0) {
                return;
            }
            head.append(buffer, qsizetype(n));
        }
    }

    int FListener = -1;
    int FPort = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TLoopbackPeer peer;
    static const QByteArray url =
        "http://127.0.0.1:" + QByteArray::number(peer.Port()) + "/translate_a/single?client=gtx&q=x";
    const QByteArray answer(reinterpret_cast<const char*>(data), qsizetype(size));

    std::atomic<bool> clientDone{false};
    std::thread server([&] { peer.Serve(answer, clientDone); });
    {
        // A fresh client each run: a kept-alive connection would carry one answer into the next.
        THttpClient http;
        PrepareRequestHeaders(http);
        http.SetTimeouts(std::chrono::seconds(5), std::chrono::seconds(5));
        QByteArray stream;
        try {
            http.Get(url, stream);
        } catch (const THttpError& error) {
            Require(!error.Message().isEmpty(), "a failure has a text");
        } catch (...) {
            Broken("Get fails only with THttpError");
        }
    }
    clientDone = true;
    server.join();
    peer.DropWaiting();
    return 0;
}
