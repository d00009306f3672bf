#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Installs the scripted stand-in (tests/support/standin/StandIn.cpp, which lists its
// commands) as sing-box or stunnel for this test program, running script. Linux: a link
// named as the program in pathDir, which the test puts first in PATH. Windows: the
// copies beside the test programs, which the client starts by their fixed names. Either
// way the script is kept in pathDir, which QUARNEL_STANDIN_DIR names to the stand-in.
enum class StandIn
{
    SingBox,
    Stunnel
};

inline bool installStandIn(StandIn program, const QString& pathDir, const QByteArray& script)
{
#ifdef _WIN32
    const QString name = program == StandIn::SingBox ? QStringLiteral("sing-box") : QStringLiteral("tstunnel");
#else
    const QString name = program == StandIn::SingBox ? QStringLiteral("sing-box") : QStringLiteral("stunnel4");
    QFile::remove(pathDir + QLatin1Char('/') + name);
    if (!QFile::link(QStringLiteral(QUARNEL_STANDIN), pathDir + QLatin1Char('/') + name))
        return false;
#endif
    qputenv("QUARNEL_STANDIN_DIR", QFile::encodeName(pathDir));
    QFile file(pathDir + QLatin1Char('/') + name + QStringLiteral(".txt"));
    return file.open(QIODevice::WriteOnly) && file.write(script) == script.size();
}
