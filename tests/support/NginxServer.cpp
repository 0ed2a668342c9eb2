#include "NginxServer.h"

#include "FakeEndpoint.h"

#include <QFile>

#include <stdexcept>

namespace zorvanel::test {

namespace {

// nginx reads '...' with backslash escapes, and "$" starts a variable: $dollar stands for it.
QByteArray NginxQuoted(QByteArray text)
{
    text.replace('\\', "\\\\").replace('\'', "\\'").replace('$', "${dollar}");
    return '\'' + text + '\'';
}

// One process (no workers): it stops with its pid, and no worker user needs to reach the files.
constexpr const char* ConfigTemplate = R"(master_process off;
error_log @DIR@/error.log warn;
pid @DIR@/nginx.pid;
events { worker_connections 64; }
http {
  access_log off;
  client_body_temp_path @DIR@/client_body;
  proxy_temp_path @DIR@/proxy;
  fastcgi_temp_path @DIR@/fastcgi;
  uwsgi_temp_path @DIR@/uwsgi;
  scgi_temp_path @DIR@/scgi;
  geo $dollar { default "$"; }
  keepalive_timeout 60s;
  keepalive_requests 1000;
  server {
    listen 127.0.0.1:@PORT@ ssl;
    server_name localhost;
    ssl_certificate @CERT@;
    ssl_certificate_key @KEY@;
    location = /translate_a/single {
      default_type application/json;
      charset_types application/json;
      charset utf-8;
      return 200 @JSON@;
    }
    location / { return 404; }
  }
}
)";

QByteArray Config(const QString& dir, quint16 port, const QByteArray& json)
{
    return QByteArray(ConfigTemplate)
        .replace("@DIR@", dir.toLocal8Bit())
        .replace("@PORT@", QByteArray::number(port))
        .replace("@CERT@", TestServerCertFile().toLocal8Bit())
        .replace("@KEY@", TestServerKeyFile().toLocal8Bit())
        .replace("@JSON@", NginxQuoted(json));
}

} // namespace

QByteArray TNginxServer::DefaultJson()
{
    return R"([[["مرحبا","Hello",null,null,10]],null,"en"])";
}

TNginxServer::TNginxServer(QByteArray json)
{
    if (!FDir.isValid())
        throw std::runtime_error("no temporary folder for nginx");
    const QString dir = FDir.path();
    const QString configFile = dir + QStringLiteral("/nginx.conf");
    FServer = StartLocalServer(
        "/usr/sbin/nginx",
        [&](quint16 port) {
            QFile config(configFile);
            if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                config.write(Config(dir, port, json)) < 0)
                throw std::runtime_error("cannot write the nginx configuration");
            return QList<QByteArray>{"-p", dir.toLocal8Bit() + '/', "-c", configFile.toLocal8Bit(),
                                     "-e", LogFile().toLocal8Bit(), "-g", "daemon off;"};
        },
        LogFile());
}

TNginxServer::~TNginxServer() = default;

QByteArray TNginxServer::BaseUrl() const
{
    return "https://localhost:" + QByteArray::number(Port());
}

QString TNginxServer::LogFile() const
{
    return FDir.path() + QStringLiteral("/error.log");
}

} // namespace zorvanel::test
