#pragma once
// Owning handles for the OpenSSL objects the test support creates.

#include <openssl/ssl.h>

#include <memory>

namespace zorvanel::test {

struct TSslCtxFree
{
    void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
};
struct TSslFree
{
    void operator()(SSL* ssl) const { SSL_free(ssl); }
};

using TSslCtxPtr = std::unique_ptr<SSL_CTX, TSslCtxFree>;
using TSslPtr = std::unique_ptr<SSL, TSslFree>;

// The text of OpenSSL's error queue (emptied), for exception messages.
std::string TakeSslErrors();

// A server context with the certificate and key of tests/support/certs, TLS 1.2 and newer.
TSslCtxPtr MakeServerTlsContext();

} // namespace zorvanel::test
