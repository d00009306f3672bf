#pragma once

#include "connection/ConnectorError.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <deque>
#include <optional>

// What OpenVPN says on its management interface, turned into what the connector does:
// bytes in, lines out (framing), and one action per line. No I/O and no threads, so every
// rule is tested on its own. One parser serves one run: the marks that let an error be
// reported only once live here.
class ManagementLineParser
{
public:
    // A line is kept up to this many bytes; the rest of it up to the line feed is dropped.
    static constexpr int maxLineBytes = 10000;
    // A user-name or password command, line feed included, fits a buffer of this size
    // together with its terminator.
    static constexpr int maxCommandBytes = 1024;

    enum class StateChange
    {
        None,
        Connected,     // "CONNECTED,SUCCESS": state 2, connected()
        ConnectFailed, // "CONNECTED,ERROR": state 0, ConnectorError::ConnectFailed
        Reconnecting,  // "RECONNECTING": state 1, reconnecting()
    };

    // Applied in the order of the members: send, statistics, state, error, log.
    struct Action
    {
        QByteArray send;                // a command for OpenVPN, or empty
        bool credentialRefused = false; // the user name or password cannot be sent: end the run
        bool hasStatistics = false;
        quint64 bytesIn = 0;
        quint64 bytesOut = 0;
        bool hasState = false;
        QString state;
        StateChange stateChange = StateChange::None;
        std::optional<ConnectorError> error;
        bool hasLog = false;
        QString log;
    };

    ManagementLineParser(const QString& userName, const QString& password);

    // Framing: received bytes in, complete lines out (line feed dropped, a carriage
    // return before it kept, over-long lines cut at maxLineBytes).
    void feed(const QByteArray& bytes);
    bool nextLine(QByteArray& line);

    Action parse(const QByteArray& line);

    // "<verb> \"Auth\" \"<value>\"\n" with \ and " escaped the way the management
    // interface reads quoted arguments; empty when the value holds a line break or a NUL
    // (it would end or split the command) or the command would not fit maxCommandBytes.
    static QByteArray credentialCommand(const char* verb, const QString& value);

private:
    QByteArray userNameCommand;
    QByteArray passwordCommand;
    bool tapReported = false;
    bool proxyReported = false;

    QByteArray partial;
    bool cutting = false;
    std::deque<QByteArray> lines;
};
