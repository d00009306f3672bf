#include "connection/StunnelManager.h"

#include "platform/ClientTempDir.h"
#include "platform/ProgramPaths.h"

#include <QFile>
#include <QProcess>

namespace {

constexpr int stunnelLocalPort = 1194;

} // namespace

StunnelManager::StunnelManager(QObject* parent) : StunnelManager(platform::stunnelProgram(), parent) {}

StunnelManager::StunnelManager(const QString& program, QObject* parent)
    : QObject(parent), process(new QProcess(this)), program(program)
{
}

StunnelManager::~StunnelManager()
{
    stop();
}

void StunnelManager::start(const QString& host, int port, const QString& sni)
{
    stop();
    this->port = stunnelLocalPort;
    const QString path = configPath();
    if (path.isEmpty() || !writeConfiguration(path, host, port, sni)) {
        return;
    }
    process->start(program, {path}, QIODevice::ReadWrite);
}

int StunnelManager::localPort() const
{
    return port;
}

bool StunnelManager::isRunning() const
{
    return process->state() != QProcess::NotRunning;
}

void StunnelManager::stop()
{
    if (process->state() == QProcess::NotRunning) {
        return;
    }
    process->close();
    process->waitForFinished(-1);
}

QString StunnelManager::configPath()
{
    const QString dir = platform::clientTempDirectory();
    if (dir.isEmpty()) {
        return {};
    }
    return dir + QStringLiteral("/Quarnel.stunnel.conf");
}

QByteArray StunnelManager::configuration(const QString& host, int port, const QString& sni, int localPort,
                                         ConfigForm form)
{
    const QString lines[] = {
        QStringLiteral("sslVersion = all"),
        QStringLiteral("socket = l:TCP_NODELAY=1"),
        QStringLiteral("socket = r:TCP_NODELAY=1"),
        form == ConfigForm::Windows ? QStringLiteral("compression = zlib") : QStringLiteral("foreground = yes"),
        QStringLiteral("[openvpn]"),
        QStringLiteral("client = yes"),
        QStringLiteral("sni = %1").arg(sni),
        QStringLiteral("accept = 127.0.0.1:%1").arg(localPort),
        QStringLiteral("connect = %1:%2").arg(host).arg(port),
    };
    QByteArray text;
    for (const QString& line : lines) {
        text += line.toUtf8();
        text += "\r\n";
    }
    return text;
}

StunnelManager::ConfigForm StunnelManager::nativeConfigForm()
{
#ifdef _WIN32
    return ConfigForm::Windows;
#else
    return ConfigForm::Linux;
#endif
}

bool StunnelManager::writeConfiguration(const QString& path, const QString& host, int port, const QString& sni) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray text = configuration(host, port, sni, this->port, nativeConfigForm());
    return file.write(text) == text.size() && file.flush();
}
