#include "platform/PingCommand.h"

namespace platform {

PingCommand pingCommand(const QString& host, bool shortTimeout)
{
    PingCommand command;
    command.program = QStringLiteral("ping");
    // iputils: numeric output, echoes 10 ms apart (allowed for any user; the default
    // second would make every answering host cost a second), -W in seconds.
    command.arguments = QStringList{QStringLiteral("-n"),
                                    QStringLiteral("-c"),
                                    QStringLiteral("2"),
                                    QStringLiteral("-i"),
                                    QStringLiteral("0.01"),
                                    QStringLiteral("-W"),
                                    shortTimeout ? QStringLiteral("0.3") : QStringLiteral("2"),
                                    host};
    // The reply parser reads the C locale's "time=0.055 ms", whatever the user's language.
    command.environment = QProcessEnvironment::systemEnvironment();
    command.environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    command.codecName = QByteArrayLiteral("UTF-8");
    return command;
}

} // namespace platform
