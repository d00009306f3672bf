#include "ping/PingWrapper.h"

#include "platform/PingCommand.h"
#include "ping/PingReplyParser.h"

#include <QProcess>

namespace {

// The address comes from the web API's server list and is handed to ping as an
// argument: one that reads as an option ("-f", "/?") must not reach the command
// line.
bool isPlainHost(const QString& host)
{
    return !host.isEmpty() && !host.startsWith(QLatin1Char('-')) && !host.startsWith(QLatin1Char('/'));
}

} // namespace

PingWrapper::PingWrapper(const QString& id, const QString& host, bool shortTimeout, QObject* parent)
    : QObject(parent), id(id), host(host), shortTimeout(shortTimeout)
{
}

void PingWrapper::run()
{
    bool success = false;
    double timems = 0.0;
    if (isPlainHost(host)) {
        const platform::PingCommand command = platform::pingCommand(host, shortTimeout);
        QProcess process;
        process.setProcessEnvironment(command.environment);
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(command.program, command.arguments, QIODevice::ReadWrite);
        // A ping that hangs is not waited for longer: what it wrote so far is
        // parsed and the process is killed when it goes out of scope.
        process.waitForFinished(30000);
        success = PingReplyParser::parseOutput(process.readAllStandardOutput(), command.codecName, &timems);
    }
    emit pingFinished(success, success ? timems : 0.0, id, host);
}
