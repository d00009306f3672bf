#include "platform/PingCommand.h"

namespace platform {

PingCommand pingCommand(const QString& host, bool shortTimeout)
{
    PingCommand command;
    command.program = QStringLiteral("ping");
    command.arguments = QStringList{QStringLiteral("-w"), shortTimeout ? QStringLiteral("300") : QStringLiteral("2000"),
                                    QStringLiteral("-n"), QStringLiteral("2"), host};
    command.environment = QProcessEnvironment::systemEnvironment();
    // The console writes in the OEM code page; Russian systems answer "время=15мс" in it.
    command.codecName = QByteArrayLiteral("CP866");
    return command;
}

} // namespace platform
