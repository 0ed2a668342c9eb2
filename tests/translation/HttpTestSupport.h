#pragma once
// Small helpers shared by the HTTP client and worker tests.

#include "FakeEndpoint.h"

#include <QByteArray>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace zorvanel::test {

// Trusts the test certificate authority for the lifetime of the object.
class TTrustTestCa
{
public:
    TTrustTestCa() { qputenv("ZORVANEL_CA_FILE", TestCaFile().toLocal8Bit()); }
    ~TTrustTestCa() { qunsetenv("ZORVANEL_CA_FILE"); }
};

// Waits (bounded) until the endpoint has recorded at least count requests.
inline void WaitForRequests(const TFakeEndpoint& endpoint, size_t count)
{
    for (int i = 0; i < 1000; ++i) {
        if (endpoint.Requests().size() >= count) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    throw std::runtime_error("the endpoint received no request");
}

inline QByteArray Ok(const QByteArray& body, const QByteArray& extraHeaders = {})
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n" + extraHeaders +
           "\r\n" + body;
}

} // namespace zorvanel::test
