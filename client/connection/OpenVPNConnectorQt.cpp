#include "connection/OpenVPNConnectorQt.h"

#include "connection/ManagementLineParser.h"
#include "connection/ManagementPasswordFile.h"
#include "connection/ServiceRequests.h"
#include "platform/FreePort.h"
#include "platform/ProgramPaths.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>

#include <string>

namespace {

// A refused local connect returns at once; the pause gives OpenVPN time to open its
// management port before the attempts run out.
constexpr int maxConnectAttempts = 1000;
constexpr unsigned long connectPauseMs = 10;
constexpr int connectWaitMs = 1000;
// How often a blocked read looks at the stop request.
constexpr int readSliceMs = 50;
// After "signal SIGTERM" OpenVPN answers and closes; one that stays silent does not
// hold the run open for ever.
constexpr int sigtermAnswerMs = 3000;

constexpr int singBoxWaitMs = 30000;
constexpr unsigned long singBoxRestartPauseMs = 1000;
constexpr int singBoxPollMs = 300;
constexpr int singBoxTerminateMs = 5000;

} // namespace

OpenVPNConnectorQt::OpenVPNConnectorQt(QObject* parent) : QThread(parent) {}

OpenVPNConnectorQt::~OpenVPNConnectorQt()
{
    stop();
    wait();
}

void OpenVPNConnectorQt::startOpenVPN(const QString& configPath, const QString& userName, const QString& password)
{
    if (isRunning()) {
        return;
    }
    this->configPath = configPath;
    this->userName = userName;
    this->password = password;
    managementConnected = false;
    stopRequested = false;
    singBoxMode = false;
    state = 1;
    start(QThread::LowPriority);
}

void OpenVPNConnectorQt::startSingBox(const QString& configPath)
{
    if (isRunning()) {
        return;
    }
    this->configPath = configPath;
    managementConnected = false;
    stopRequested = false;
    singBoxMode = true;
    state = 1;
    start(QThread::LowPriority);
}

void OpenVPNConnectorQt::stop()
{
    // The socket belongs to the connector's thread: it sends "signal SIGTERM" within one
    // read slice when the management connection exists, and only then.
    stopRequested = true;
}

void OpenVPNConnectorQt::emitError(ConnectorError code)
{
    emit error(static_cast<int>(code));
}

void OpenVPNConnectorQt::run()
{
    if (singBoxMode) {
        runSingBox();
    } else {
        runOpenVpn();
    }
}

void OpenVPNConnectorQt::runOpenVpn()
{
    managementPort = platform::findFreePort();
    if (managementPort == -1) {
        emitError(ConnectorError::NoFreePort);
        return;
    }
    if (!launchOpenVpn()) {
        return;
    }

    ManagementLineParser parser(userName, password);
    QTcpSocket socket;
    managementConnected = false;
    sigtermSent = false;
    bool firstPass = true;
    int attempts = 0;
    for (;;) {
        // Once OpenVPN is reached, readLine carries out a stop: OpenVPN is told to end, or
        // it would keep the tunnel up after the run is over. Before, there is no one to tell.
        if (stopRequested && !managementConnected) {
            break;
        }
        if (!managementConnected) {
            if (!connectManagement(socket)) {
                state = 0;
                emitError(ConnectorError::ManagementUnreachable);
                return;
            }
            if (!managementConnected) {
                if (++attempts > maxConnectAttempts) {
                    state = 0;
                    emitError(ConnectorError::ManagementUnreachable);
                    return;
                }
                QThread::msleep(connectPauseMs);
                continue;
            }
        }
        if (firstPass) {
            firstPass = false;
            // The password comes before anything else: OpenVPN takes the first line as the
            // answer to its "ENTER PASSWORD:" prompt, and every later one as a command.
            if (!sendCommand(socket, managementPassword + '\n') || !sendCommand(socket, "state on all\n") ||
                !sendCommand(socket, "log on\n") || !sendCommand(socket, "bytecount 1\n")) {
                break;
            }
        }
        QByteArray line;
        if (!readLine(socket, parser, line) || !apply(socket, parser, line)) {
            break;
        }
    }

    socket.abort();
    managementConnected = false;
    if (state != 0) {
        emit disconnected();
        state = 0;
    }
}

bool OpenVPNConnectorQt::launchOpenVpn()
{
    // The service has its own copy once it has answered; this one goes at the end of the
    // exchange, whatever its outcome.
    ManagementPasswordFile passwordFile;
    if (!passwordFile.write()) {
        emitError(ConnectorError::ServiceExchangeFailed);
        return false;
    }
    managementPassword = passwordFile.password();
    const QString commandLine =
        openVpnCommandLine(platform::openVpnProgram(), configPath, managementPort, passwordFile.path());
    servicepipe::ServiceRequest request(servicepipe::ServiceCommand::RunProcess);
    request.setFlag(0);
    const std::u16string text(reinterpret_cast<const char16_t*>(commandLine.utf16()),
                              static_cast<std::size_t>(commandLine.size()));
    if (!request.setCommandLine(text)) {
        emitError(ConnectorError::ServiceExchangeFailed);
        return false;
    }
    // The reply's ok byte is not looked at: a program the service refused shows as a
    // management port that never opens.
    servicepipe::ServiceReply reply;
    switch (exchangeWithService(request, reply)) {
    case servicepipe::PipeClient::Result::Replied:
        return true;
    case servicepipe::PipeClient::Result::Unreachable:
        emitError(ConnectorError::ServiceUnreachable);
        return false;
    case servicepipe::PipeClient::Result::Failed:
        break;
    }
    emitError(ConnectorError::ServiceExchangeFailed);
    return false;
}

// One connection attempt: sets managementConnected on success; false when no socket
// can be had at all, which no further attempt would change.
bool OpenVPNConnectorQt::connectManagement(QTcpSocket& socket)
{
    socket.abort();
    socket.connectToHost(QHostAddress(QHostAddress::LocalHost), static_cast<quint16>(managementPort));
    if (socket.waitForConnected(connectWaitMs)) {
        managementConnected = true;
        return true;
    }
    const QAbstractSocket::SocketError failure = socket.error();
    socket.abort();
    return failure != QAbstractSocket::SocketResourceError &&
           failure != QAbstractSocket::UnsupportedSocketOperationError;
}

bool OpenVPNConnectorQt::sendCommand(QTcpSocket& socket, const QByteArray& command)
{
    if (socket.write(command) != command.size()) {
        return false;
    }
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(connectWaitMs)) {
            return false;
        }
    }
    return true;
}

// Waits for the next complete line; false when the peer closed, receiving failed, or a
// stop was requested and OpenVPN stayed silent after being told to end.
bool OpenVPNConnectorQt::readLine(QTcpSocket& socket, ManagementLineParser& parser, QByteArray& line)
{
    QDeadlineTimer sigtermDeadline(QDeadlineTimer::Forever);
    for (;;) {
        if (parser.nextLine(line)) {
            return true;
        }
        if (stopRequested && !sigtermSent) {
            sigtermSent = true;
            sigtermDeadline.setRemainingTime(sigtermAnswerMs);
            if (!sendCommand(socket, "signal SIGTERM\n")) {
                return false;
            }
        }
        if (sigtermDeadline.hasExpired()) {
            return false;
        }
        if (socket.bytesAvailable() > 0 || socket.waitForReadyRead(readSliceMs)) {
            parser.feed(socket.readAll());
            continue;
        }
        if (socket.state() != QAbstractSocket::ConnectedState) {
            // What arrived together with the close still counts.
            parser.feed(socket.readAll());
            if (parser.nextLine(line)) {
                return true;
            }
            return false;
        }
    }
}

// Carries out what one line asks for; false when the run must end.
bool OpenVPNConnectorQt::apply(QTcpSocket& socket, ManagementLineParser& parser, const QByteArray& line)
{
    const ManagementLineParser::Action action = parser.parse(line);
    if (action.credentialRefused) {
        // A value that cannot be sent as one quoted argument is never sent in part.
        // OpenVPN, waiting for it, is told to end instead of being left behind.
        if (!sigtermSent) {
            sigtermSent = true;
            sendCommand(socket, "signal SIGTERM\n");
        }
        emitError(ConnectorError::AuthFailed);
        return false;
    }
    if (!action.send.isEmpty() && !sendCommand(socket, action.send)) {
        return false;
    }
    if (action.hasStatistics) {
        emit statisticsUpdated(action.bytesIn, action.bytesOut);
    }
    if (action.hasState) {
        emit stateChanged(action.state);
        switch (action.stateChange) {
        case ManagementLineParser::StateChange::None:
            break;
        case ManagementLineParser::StateChange::Connected:
            state = 2;
            emit connected();
            break;
        case ManagementLineParser::StateChange::ConnectFailed:
            state = 0;
            emitError(ConnectorError::ConnectFailed);
            break;
        case ManagementLineParser::StateChange::Reconnecting:
            state = 1;
            emit reconnecting();
            break;
        }
    }
    if (action.error) {
        emitError(*action.error);
    }
    if (action.hasLog) {
        emit log(action.log);
    }
    return true;
}

void OpenVPNConnectorQt::runSingBox()
{
    QProcess process;
    // Only the standard error stream is read; output nobody reads must not fill a pipe.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setReadChannel(QProcess::StandardError);
    if (!startSingBoxProcess(process)) {
        emitError(ConnectorError::BrumeFailed);
        return;
    }

    int attempt = 1;
    for (;;) {
        if (!waitForSingBoxStart(process)) {
            return;
        }
        const QByteArray chunk = process.readAllStandardError();
        const int nul = chunk.indexOf('\0');
        const QString text = QString::fromLatin1(nul < 0 ? chunk : chunk.left(nul));
        if (text.contains(QLatin1String("started at"))) {
            break;
        }
        if (text.contains(QLatin1String("take too much time to finish!"))) {
            emit log(QStringLiteral("Try to reconnect to Brume ") + QString::number(attempt));
            endSingBox(process);
            ++attempt;
            QThread::msleep(singBoxRestartPauseMs);
            if (!startSingBoxProcess(process)) {
                emitError(ConnectorError::BrumeFailed);
                return;
            }
        }
    }

    state = 2;
    emit log(QStringLiteral("Connected to Brume"));
    emit connected();

    while (!stopRequested) {
        if (process.waitForFinished(singBoxPollMs)) {
            // Gone by itself: the tunnel went with it.
            break;
        }
    }
    endSingBox(process);
    emit disconnected();
    emit log(QStringLiteral("Disconnected from Brume"));
    state = 0;
}

bool OpenVPNConnectorQt::startSingBoxProcess(QProcess& process)
{
    process.start(platform::singBoxProgram(), {QStringLiteral("run"), QStringLiteral("-c"), configPath},
                  QIODevice::ReadWrite);
    return process.waitForStarted(singBoxWaitMs);
}

// Waits until sing-box has written to its standard error stream. false ends the run,
// reported: sing-box ended before it started, or a stop came first.
bool OpenVPNConnectorQt::waitForSingBoxStart(QProcess& process)
{
    for (;;) {
        if (process.bytesAvailable() > 0 || process.waitForReadyRead(singBoxPollMs)) {
            return true;
        }
        if (process.state() == QProcess::NotRunning) {
            emitError(ConnectorError::BrumeFailed);
            return false;
        }
        if (stopRequested) {
            endSingBox(process);
            emit disconnected();
            emit log(QStringLiteral("Disconnected from Brume"));
            state = 0;
            return false;
        }
    }
}

void OpenVPNConnectorQt::endSingBox(QProcess& process)
{
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    // Asked first, so that sing-box can take its routes down; killed if it does not go.
    process.terminate();
    if (!process.waitForFinished(singBoxTerminateMs)) {
        process.kill();
        process.waitForFinished(singBoxWaitMs);
    }
}
