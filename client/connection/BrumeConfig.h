#pragma once

#include <QString>

// Turns a server's VLESS link into the sing-box configuration that routes all
// traffic through a TUN interface and that VLESS server (TLS over WebSocket).
class BrumeConfig
{
public:
    // The JSON text, indented, members in ascending key order; empty unless the
    // link's scheme is exactly "vless".
    static QString build(const QString& link);
};
