#include "connection/ManagementLineParser.h"

#include <QStringList>

namespace {

bool has(const QString& line, const char* pattern, Qt::CaseSensitivity cs = Qt::CaseInsensitive)
{
    return line.contains(QLatin1String(pattern), cs);
}

// A signed 32-bit decimal; anything else (out of range included) reads as 0.
quint64 byteCount(const QString& text)
{
    return static_cast<quint64>(static_cast<qint64>(text.toInt()));
}

} // namespace

ManagementLineParser::ManagementLineParser(const QString& userName, const QString& password)
    : userNameCommand(credentialCommand("username", userName)), passwordCommand(credentialCommand("password", password))
{
}

QByteArray ManagementLineParser::credentialCommand(const char* verb, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    if (utf8.contains('\n') || utf8.contains('\r') || utf8.contains('\0')) {
        return QByteArray();
    }
    QByteArray command(verb);
    command += " \"Auth\" \"";
    for (const char c : utf8) {
        if (c == '\\' || c == '"') {
            command += '\\';
        }
        command += c;
    }
    command += "\"\n";
    if (command.size() >= maxCommandBytes) {
        return QByteArray();
    }
    return command;
}

void ManagementLineParser::feed(const QByteArray& bytes)
{
    int from = 0;
    while (from < bytes.size()) {
        const int end = bytes.indexOf('\n', from);
        const int stop = end < 0 ? bytes.size() : end;
        if (!cutting) {
            const int room = maxLineBytes - partial.size();
            const int take = qMin(room, stop - from);
            partial.append(bytes.constData() + from, take);
            cutting = take < stop - from;
        }
        if (end < 0) {
            return;
        }
        lines.push_back(partial);
        partial.clear();
        cutting = false;
        from = end + 1;
    }
}

bool ManagementLineParser::nextLine(QByteArray& line)
{
    if (lines.empty()) {
        return false;
    }
    line = lines.front();
    lines.pop_front();
    return true;
}

ManagementLineParser::Action ManagementLineParser::parse(const QByteArray& bytes)
{
    Action action;
    const QString line = QString::fromUtf8(bytes);

    if (has(line, "PASSWORD:Need 'Auth' username/password")) {
        action.send = userNameCommand;
        action.credentialRefused = userNameCommand.isEmpty();
    } else if (has(line, "'Auth' username entered, but not yet verified")) {
        action.send = passwordCommand;
        action.credentialRefused = passwordCommand.isEmpty();
    } else if (has(line, "AUTH: Received control message: AUTH_FAILED", Qt::CaseSensitive)) {
        action.error = ConnectorError::AuthFailed;
    } else if (has(line, "There are no TAP-Windows adapters on this system") || has(line, "Cannot open TUN/TAP dev") ||
               has(line, "Cannot allocate TUN/TAP dev dynamically")) {
        if (!tapReported) {
            tapReported = true;
            action.error = ConnectorError::NoTunAdapter;
        }
    } else if (has(line, "Proxy requires authentication")) {
        if (!proxyReported) {
            proxyReported = true;
            action.error = ConnectorError::ProxyAuthRequired;
        }
    } else if (has(line, ">BYTECOUNT:")) {
        const QStringList parts = line.split(QLatin1Char(':'));
        if (parts.size() >= 2) {
            const QStringList counts = parts.at(1).split(QLatin1Char(','));
            if (counts.size() == 2) {
                action.hasStatistics = true;
                action.bytesIn = byteCount(counts.at(0));
                action.bytesOut = byteCount(counts.at(1));
            }
        }
    } else if (has(line, ">STATE:")) {
        const QStringList fields = line.split(QLatin1Char(','));
        action.hasState = true;
        // A line without a second field has no state name; nothing else is read from it.
        if (fields.size() >= 2) {
            action.state = fields.at(1);
            if (has(line, "CONNECTED,SUCCESS")) {
                action.stateChange = StateChange::Connected;
            } else if (has(line, "CONNECTED,ERROR")) {
                action.stateChange = StateChange::ConnectFailed;
            } else if (has(line, "RECONNECTING")) {
                action.stateChange = StateChange::Reconnecting;
            }
        }
    } else if (has(line, ">LOG:")) {
        if (has(line, "write UDPv4: No buffer space available (WSAENOBUFS) (code=10055)") ||
            has(line, "write UDPv4: No Route to Host (WSAEHOSTUNREACH) (code=10065)")) {
            action.error = ConnectorError::NetworkWriteFailed;
        }
        action.hasLog = true;
        action.log = line;
    }
    return action;
}
