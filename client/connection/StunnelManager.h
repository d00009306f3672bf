#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QProcess;

// Runs the local TLS tunnel of the stealth protocol: OpenVPN talks TCP to
// 127.0.0.1:localPort() and stunnel carries it to the server's stealth port.
class StunnelManager : public QObject
{
    Q_OBJECT

public:
    // The two forms of the configuration file. Debian's stunnel (OpenSSL 3)
    // refuses "compression = zlib" and detaches unless told to stay in the
    // foreground; the Windows build takes the file as it always had it.
    enum class ConfigForm
    {
        Windows,
        Linux
    };

    // Runs the stunnel program of this installation (platform::stunnelProgram()).
    explicit StunnelManager(QObject* parent = nullptr);
    // Runs the given program instead; it gets the configuration file's path as
    // its one argument.
    explicit StunnelManager(const QString& program, QObject* parent = nullptr);
    ~StunnelManager() override;

    // Stops a running stunnel, rewrites the configuration file and starts stunnel
    // with it without waiting for it to come up. Nothing is started when the file
    // cannot be written; either way the failure shows later as an OpenVPN
    // connection that fails.
    void start(const QString& host, int port, const QString& sni);
    // 1194 after any start, whatever port the server uses.
    int localPort() const;
    // Terminates stunnel and waits for it to exit; returns at once when none
    // runs.
    void stop();
    bool isRunning() const;

    // Full path of the configuration file: "Quarnel.stunnel.conf" in the client's
    // temporary directory; empty when the client has none.
    static QString configPath();
    // The nine CR LF terminated lines of the configuration file, UTF-8.
    static QByteArray configuration(const QString& host, int port, const QString& sni, int localPort, ConfigForm form);
    // The form this build writes.
    static ConfigForm nativeConfigForm();

private:
    bool writeConfiguration(const QString& path, const QString& host, int port, const QString& sni) const;

    QProcess* process;
    QString program;
    int port = 1194;
};
