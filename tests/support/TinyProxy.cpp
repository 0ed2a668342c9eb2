#include "TinyProxy.h"

#include <QFile>

#include <grp.h>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace zorvanel::test {

namespace {

// tinyproxy changes to User and Group only when started as root; naming the current ones keeps
// it able to write its log and pid files in our folder either way.
QByteArray CurrentUser()
{
    const passwd* entry = ::getpwuid(::geteuid());
    return entry ? QByteArray(entry->pw_name) : QByteArray("nobody");
}

QByteArray CurrentGroup()
{
    const group* entry = ::getgrgid(::getegid());
    return entry ? QByteArray(entry->gr_name) : QByteArray("nogroup");
}

// No ConnectPort line: CONNECT may reach any port (the fake endpoint's is random).
constexpr const char* ConfigTemplate = R"(User @USER@
Group @GROUP@
Port @PORT@
Listen 127.0.0.1
Allow 127.0.0.1
Timeout 60
MaxClients 32
LogLevel Error
LogFile "@DIR@/tinyproxy.log"
PidFile "@DIR@/tinyproxy.pid"
)";

QByteArray Config(const QString& dir, quint16 port, const QByteArray& credentials)
{
    QByteArray config = QByteArray(ConfigTemplate)
                            .replace("@USER@", CurrentUser())
                            .replace("@GROUP@", CurrentGroup())
                            .replace("@PORT@", QByteArray::number(port))
                            .replace("@DIR@", dir.toLocal8Bit());
    if (!credentials.isEmpty()) {
        const qsizetype colon = credentials.indexOf(':');
        if (colon <= 0)
            throw std::invalid_argument("tinyproxy credentials must be user:password");
        config += "BasicAuth " + credentials.left(colon) + ' ' + credentials.mid(colon + 1) + '\n';
    }
    return config;
}

} // namespace

TTinyProxy::TTinyProxy(QByteArray credentials)
{
    if (!FDir.isValid())
        throw std::runtime_error("no temporary folder for tinyproxy");
    const QString dir = FDir.path();
    const QString configFile = dir + QStringLiteral("/tinyproxy.conf");
    FServer = StartLocalServer(
        "/usr/bin/tinyproxy",
        [&](quint16 port) {
            QFile config(configFile);
            if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                config.write(Config(dir, port, credentials)) < 0)
                throw std::runtime_error("cannot write the tinyproxy configuration");
            return QList<QByteArray>{"-d", "-c", configFile.toLocal8Bit()};
        },
        LogFile());
}

TTinyProxy::~TTinyProxy() = default;

QString TTinyProxy::LogFile() const
{
    return FDir.path() + QStringLiteral("/tinyproxy.log");
}

} // namespace zorvanel::test
