#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace platform {

// How the system's own ping command is run for one latency measurement: two echoes,
// each waited for at most 300 ms (short) or 2000 ms, and the codec its console output
// is written in.
struct PingCommand
{
    QString program;
    QStringList arguments;
    QProcessEnvironment environment;
    QByteArray codecName;
};

PingCommand pingCommand(const QString& host, bool shortTimeout);

} // namespace platform
