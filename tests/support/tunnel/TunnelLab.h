#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A private world for real tunnels: two network namespaces joined by a veth pair,
//
//   client namespace (the machine under test)      server namespace (the VPN provider)
//   10.99.0.1/24 ------------------------------ 10.99.0.2/24
//   quarnel-service, the connector, OpenVPN         OpenVPN server (tunnel 10.8.0.1/24),
//   client, stunnel client                          stunnel server
//
// with a test certificate authority made by openssl, and the server side programs
// started on demand. Deleting the namespaces removes every device; processes are killed
// by the lab. The test process itself moves into the client namespace.
class TunnelLab
{
public:
    static constexpr const char* clientAddress = "10.99.0.1";
    static constexpr const char* serverAddress = "10.99.0.2";
    static constexpr const char* tunnelServerAddress = "10.8.0.1";
    static constexpr const char* userName = "subscriber";
    static constexpr const char* password = "pa\"ss \\word";

    // Empty when real tunnels can be built here, else why not.
    static QString unavailableReason();

    TunnelLab();
    ~TunnelLab();
    TunnelLab(const TunnelLab&) = delete;
    TunnelLab& operator=(const TunnelLab&) = delete;

    bool ok() const { return error.isEmpty(); }
    const QString& failure() const { return error; }
    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    const QString& clientNamespace() const { return clientNs; }
    const QString& serverNamespace() const { return serverNs; }

    // Moves the calling thread (and the threads it starts later) into the client namespace.
    bool enterClientNamespace();

    // The OpenVPN server in the server namespace: "udp" or "tcp" on 10.99.0.2:1194, or
    // "stealth": TCP on the server's 127.0.0.1:1194 behind a stunnel server on 10.99.0.2:443.
    // Returns when the server is ready. extraConfig: more lines for the server's
    // configuration (push "dhcp-option ...", say).
    bool startServer(const QString& mode, const QByteArray& extraConfig = QByteArray());
    void stopServer();

    // The real service in the client namespace, on a private socket and state directory,
    // running the system's OpenVPN. through: a program and its arguments that the
    // service's command line is handed to (nsenter into a private mount namespace, say).
    // Returns when the service listens, or at once when not waitReady.
    bool startService(const QStringList& through = QStringList(), bool waitReady = true);
    // Ends the service: SIGTERM, its stop control, or SIGKILL, a crash. Returns when it
    // has ended.
    bool stopService(bool crash = false);
    QString serviceSocket() const { return path(QStringLiteral("service.socket")); }

    // What the web API hands the client for this provider.
    QByteArray configText() const;
    QByteArray clientCertificate() const;
    QByteArray clientKey() const;

    // Runs a program in a namespace and returns its exit code (-1 when it did not end in time).
    static int runIn(const QString& ns, const QString& program, const QStringList& arguments, int timeoutMs = 20000,
                     QByteArray* output = nullptr);
    // Whether one ping from the client namespace is answered. Over the lab's links an
    // answer takes a millisecond, so a second's wait tells a held ping.
    static bool pings(const QString& address);
    // Whether a network device of that name exists in the client namespace.
    bool clientHasDevice(const QString& name) const;
    // Gives the server side one more address on the shared link: a host outside every
    // tunnel that the client could reach directly.
    bool addServerAddress(const QString& address);
    // Kills the programs of that name the service started (a tunnel program that dies).
    bool killServiceChild(const QString& name);
    // One more address on the shared link, on the client or the server side; IPv6 too
    // ("fd00:99::1/64"), usable at once (no duplicate address detection).
    bool addLinkAddress(bool serverSide, const QString& addressWithPrefix);
    // The name of the shared link's device on that side.
    static QString linkName(bool serverSide);
    // The ids of the programs of that name running in the client namespace.
    QList<qint64> clientProcesses(const QString& name) const;
    // Everything the service has written so far (its log: standard output and error).
    QByteArray serviceOutput()
    {
        if (service != nullptr) {
            serviceLog += service->readAll();
        }
        return serviceLog;
    }

private:
    bool ip(const QStringList& arguments);
    bool makePki();
    QProcess* launch(const QString& ns, const QString& program, const QStringList& arguments);
    bool waitForLine(QProcess* process, const QByteArray& line, int timeoutMs);

    QTemporaryDir dir;
    QString clientNs;
    QString serverNs;
    QString error;
    std::vector<std::unique_ptr<QProcess>> processes;
    QProcess* service = nullptr;
    std::vector<QProcess*> serverProcesses;
    QByteArray serviceLog;
};
