#include "SslHandles.h"

#include "FakeEndpoint.h"

#include <openssl/err.h>

#include <stdexcept>
#include <string>

namespace zorvanel::test {

std::string TakeSslErrors()
{
    std::string text;
    while (const unsigned long code = ERR_get_error()) {
        char line[256];
        ERR_error_string_n(code, line, sizeof line);
        if (!text.empty())
            text += "; ";
        text += line;
    }
    return text;
}

TSslCtxPtr MakeServerTlsContext()
{
    TSslCtxPtr context(SSL_CTX_new(TLS_server_method()));
    if (!context)
        throw std::runtime_error("SSL_CTX_new failed: " + TakeSslErrors());
    SSL_CTX_set_min_proto_version(context.get(), TLS1_2_VERSION);
    const QByteArray cert = TestServerCertFile().toLocal8Bit();
    const QByteArray key = TestServerKeyFile().toLocal8Bit();
    if (SSL_CTX_use_certificate_chain_file(context.get(), cert.constData()) != 1 ||
        SSL_CTX_use_PrivateKey_file(context.get(), key.constData(), SSL_FILETYPE_PEM) != 1 ||
        SSL_CTX_check_private_key(context.get()) != 1)
        throw std::runtime_error("cannot load the test server certificate: " + TakeSslErrors());
    return context;
}

} // namespace zorvanel::test
