#pragma once

// The codes OpenVPNConnectorQt::error(int) carries. The numbers are what the signal
// sends and what Connection turns into a user text, so each keeps its value.
enum class ConnectorError : int
{
    AuthFailed = 0,            // OpenVPN reports AUTH_FAILED, or a credential cannot be sent
    ManagementUnreachable = 1, // the management port never opened
    NoTunAdapter = 2,          // OpenVPN finds no TAP/TUN device it can use
    ServiceUnreachable = 3,    // the service's pipe cannot be opened
    ServiceExchangeFailed = 4, // the request to the service cannot be written or its reply read
    NoFreePort = 5,            // no local port for the management interface
    ProxyAuthRequired = 6,     // a proxy asks for authentication
    NetworkWriteFailed = 7,    // UDP write failed: no buffer space or host unreachable
    ConnectFailed = 8,         // OpenVPN reports "CONNECTED,ERROR"
    BrumeFailed = 9,           // sing-box could not be started or ended before it started
};
