#include "FakeEndpoint.h"

namespace zorvanel::test {

namespace {
QString CertPath(const char* name)
{
    return QStringLiteral(ZORVANEL_TEST_SUPPORT_DIR "/certs/") + QString::fromLatin1(name);
}
} // namespace

QString TestCaFile()
{
    return CertPath("ca.crt");
}

QString TestServerCertFile()
{
    return CertPath("server.crt");
}

QString TestServerKeyFile()
{
    return CertPath("server.key");
}

} // namespace zorvanel::test
