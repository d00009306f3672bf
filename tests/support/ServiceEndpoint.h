#pragma once

#include <QCoreApplication>
#include <QString>

// Where a test's stand-in service listens: a socket in the test's own folder, or on
// Windows a pipe name of this test process, since a file path is no pipe name there.
inline QString testServiceEndpoint(const QString& folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder)
    return QStringLiteral("\\\\.\\pipe\\quarnel-test-%1").arg(QCoreApplication::applicationPid());
#else
    return folder + QStringLiteral("/service.socket");
#endif
}
