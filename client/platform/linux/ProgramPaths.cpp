#include "platform/ProgramPaths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

namespace {

QString find(const char* besideClient, std::initializer_list<const char*> systemNames)
{
    const QString bundled = QCoreApplication::applicationDirPath() + QLatin1String(besideClient);
    if (QFileInfo(bundled).isExecutable()) {
        return bundled;
    }
    for (const char* name : systemNames) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
        if (!found.isEmpty()) {
            return found;
        }
    }
    return QLatin1String(*systemNames.begin());
}

} // namespace

QString openVpnProgram()
{
    // The service checks this against the OpenVPN it was installed with.
    return find("/openvpn/openvpn", {"openvpn"});
}

QString stunnelProgram()
{
    return find("/stunnel/bin/stunnel", {"stunnel4", "stunnel"});
}

QString singBoxProgram()
{
    return find("/sing-box/sing-box", {"sing-box"});
}

} // namespace platform
