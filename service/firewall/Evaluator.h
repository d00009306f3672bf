#pragma once

#include "firewall/Filter.h"

#include <cstdint>
#include <vector>

namespace firewall {

enum class Direction
{
    Outbound, // this machine opens the connection
    Inbound,  // another machine opens it
};

enum class Protocol
{
    Tcp,
    Udp,
    Icmp,
};

enum class Verdict
{
    Permit,
    Block,
};

// One connection attempt as the filtering engine sees it. Addresses are IPv4 values in
// the filters' form; for IPv6 connections they are unused (no filter compares them).
struct Connection
{
    Direction direction = Direction::Outbound;
    bool ipv6 = false;
    std::uint64_t interfaceLuid = 0;
    std::uint32_t localAddress = 0;
    std::uint32_t remoteAddress = 0;
    std::uint16_t localPort = 0;
    std::uint16_t remotePort = 0;
    Protocol protocol = Protocol::Tcp;
};

// The layers a connection traverses:
//   outbound IPv4: AleAuthConnectV4, AleConnectRedirectV4, AleFlowEstablishedV4,
//                  StreamV4 (TCP only), InboundTransportV4 (the replies)
//   inbound IPv4:  AleAuthRecvAcceptV4, InboundTransportV4, AleFlowEstablishedV4, StreamV4 (TCP only)
//   outbound IPv6: AleAuthConnectV6, AleConnectRedirectV6, AleFlowEstablishedV6, StreamV6 (TCP only)
//   inbound IPv6:  AleAuthRecvAcceptV6, AleFlowEstablishedV6, StreamV6 (TCP only)
std::vector<Layer> layersTraversed(const Connection& connection);

// The reference semantics of a set of installed filters (all in the service's one
// sublayer): the connection passes when every layer it traverses permits it. In a layer
// the matching filter of highest precedence decides; a layer without a matching filter
// permits. Precedence is the WFP one: a higher 8-bit weight first; an empty weight ranks
// in the 0 band, where more conditions rank higher.
Verdict evaluate(const std::vector<Filter>& installed, const Connection& connection);

} // namespace firewall
