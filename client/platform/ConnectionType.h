#pragma once

// The server record's connection type: which driver builds the tunnel. Stored as a
// number in the server cache and shared with the Qt-free RAS dialer, so it lives at
// the bottom layer and each value keeps its number; records may carry others.
enum class ConnectionType : int
{
    Pptp = 0,       // RAS dialer
    L2tp = 1,       // RAS dialer, with the pre-shared key
    OpenVpnUdp = 4, // the OpenVPN connector; also the protocol id of "udp"
    OpenVpnTcp = 5, // the OpenVPN connector; also the protocol id of "tcp"
};
