#include "platform/CommandOutput.h"

#include <QProcess>

namespace platform {

QByteArray commandOutput(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                         int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadWrite);
    // A program that hangs is not waited for longer: what it wrote so far is kept and
    // the process is killed when it goes out of scope.
    process.waitForFinished(timeoutMs);
    return process.readAllStandardOutput();
}

} // namespace platform
