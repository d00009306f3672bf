#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {

QString besideClient(const char* relative)
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1String(relative));
}

} // namespace

QString openVpnProgram()
{
    return besideClient("/openvpn/openvpn.exe");
}

QString stunnelProgram()
{
    return besideClient("/stunnel/bin/tstunnel.exe");
}

QString singBoxProgram()
{
    return besideClient("/sing-box/sing-box.exe");
}

} // namespace platform
