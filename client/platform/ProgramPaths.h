#pragma once

#include <QString>

namespace platform {

// The external programs the client runs or has the service run, in native form.
// Windows: beside the client ("<client dir>/openvpn/openvpn.exe", "/stunnel/bin/tstunnel.exe",
// "/sing-box/sing-box.exe"). Linux: the same layout without ".exe" when present, else the
// system's program found on PATH (stunnel4 before stunnel), else the bare name.
QString openVpnProgram();
QString stunnelProgram();
QString singBoxProgram();

} // namespace platform
