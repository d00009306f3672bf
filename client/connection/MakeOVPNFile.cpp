#include "connection/MakeOVPNFile.h"

#include "platform/ClientTempDir.h"

#include <QMutexLocker>
#include <QThreadPool>
#include <QtConcurrent>

namespace {

// The downloaded configuration ends at its first NUL byte, as the text it came
// from did.
QByteArray configText(const QByteArray& config)
{
    const int end = config.indexOf('\0');
    return end < 0 ? config : config.left(end);
}

// Switches on the lines commented out as "#<key> " at the start of a line. A
// prefixed first line has no line feed in front of it and stays a comment.
void switchOn(QByteArray& text, const QString& key)
{
    text.replace("\n#" + key.toLatin1() + ' ', "\n");
}

} // namespace

MakeOVPNFile::MakeOVPNFile()
{
    const QString dir = platform::clientTempDirectory();
    usable = !dir.isEmpty();
    if (usable) {
        file.setFileTemplate(dir + QStringLiteral("/Quarnel.openvpn-XXXXXX.txt"));
    }
}

MakeOVPNFile::~MakeOVPNFile()
{
    // A write still running on the pool uses this object.
    pending.waitForFinished();
}

bool MakeOVPNFile::makeFile(const ConfigServer& server)
{
    return write(server, false);
}

bool MakeOVPNFile::makeStealthFile(const ConfigServer& server)
{
    return write(server, true);
}

QFuture<bool> MakeOVPNFile::startWrite(const ConfigServer& server, bool stealth)
{
    pending = QtConcurrent::run(QThreadPool::globalInstance(), this,
                                stealth ? &MakeOVPNFile::makeStealthFile : &MakeOVPNFile::makeFile, server);
    return pending;
}

QString MakeOVPNFile::path() const
{
    QMutexLocker locker(&lock);
    return filePath;
}

bool MakeOVPNFile::write(const ConfigServer& server, bool stealth)
{
    QMutexLocker locker(&lock);
    ok = false;
    // Without a private directory nothing is written: a fixed name in a shared
    // directory could be a link planted by another user.
    if (usable && file.open()) {
        bool written = file.resize(0);
        const auto put = [&](const QByteArray& bytes) { written = file.write(bytes) == bytes.size() && written; };

        QByteArray text = configText(server.config);
        if (stealth) {
            put("proto tcp");
            put(QStringLiteral("\r\nremote 127.0.0.1 %1\r\n").arg(server.localPort).toLatin1());
            switchOn(text, QStringLiteral("tcp"));
            switchOn(text, QStringLiteral("stealth"));
        } else {
            for (const QString& port : server.ports) {
                put(QStringLiteral("remote %1 %2 %3\r\n").arg(server.host, port, server.protocol).toLocal8Bit());
            }
            switchOn(text, server.protocol);
        }
        // Written as the bytes it was downloaded as: OpenVPN reads bytes, and a
        // detour through the local encoding would alter every byte above 0x7F.
        put(text);
        put("\r\n<cert>\r\n");
        put(server.certificate);
        put("\r\n</cert>\r\n");
        put("\r\n<key>\r\n");
        put(server.key);
        put("\r\n</key>\r\n");
        file.close();
        // A short file (disk full, quota) is a failed write, not a configuration
        // that OpenVPN would later reject for reasons nobody can see.
        ok = written && file.error() == QFileDevice::NoError;
    }
    filePath = file.fileName();
    return ok;
}
