#include "ping/PingWrapper.h"

#include "platform/CommandOutput.h"
#include "platform/PingCommand.h"
#include "ping/PingReplyParser.h"

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
        // A ping that hangs is not waited for longer: what it wrote so far is parsed.
        const QByteArray output =
            platform::commandOutput(command.program, command.arguments, command.environment, 30000);
        success = PingReplyParser::parseOutput(output, command.codecName, &timems);
    }
    emit pingFinished(success, success ? timems : 0.0, id, host);
}
