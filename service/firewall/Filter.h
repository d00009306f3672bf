#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The kill switch as data: filters in the vocabulary of the Windows Filtering Platform.
// The WFP engine adds them one to one; the nftables engine translates them; the
// reference evaluator states what they mean.
namespace firewall {

// Filtering layers (FWPM_LAYER_*).
enum class Layer
{
    AleAuthConnectV4,
    AleAuthRecvAcceptV4,
    AleConnectRedirectV4,
    StreamV4,
    AleFlowEstablishedV4,
    AleAuthConnectV6,
    AleAuthRecvAcceptV6,
    AleConnectRedirectV6,
    StreamV6,
    AleFlowEstablishedV6,
    InboundTransportV4,
};

enum class Action
{
    Block,
    Permit,
};

// Condition fields (FWPM_CONDITION_*).
enum class Field
{
    LocalInterface, // 64-bit interface LUID
    RemoteAddress,  // IPv4, host order, first dotted octet most significant
    LocalAddress,   // IPv4, as RemoteAddress
    LocalPort,      // 16-bit
    RemotePort,     // 16-bit
};

// Match types (FWP_MATCH_*).
enum class Match
{
    Equal,
    Greater,
    Less,
    Range, // value..high, both inclusive
};

struct Condition
{
    Field field = Field::LocalInterface;
    Match match = Match::Equal;
    std::uint64_t value = 0;
    std::uint64_t high = 0;           // upper bound of a Range
    std::uint32_t mask = 0xFFFFFFFFu; // an address compared Equal is an address-and-mask value

    bool operator==(const Condition& other) const
    {
        return field == other.field && match == other.match && value == other.value && high == other.high &&
               mask == other.mask;
    }
};

struct Filter
{
    std::string displayName;
    Layer layer = Layer::AleAuthConnectV4;
    Action action = Action::Block;
    std::optional<std::uint8_t> weight; // 8-bit weight 0..15, or empty: the engine weighs by the conditions
    std::vector<Condition> conditions;

    bool operator==(const Filter& other) const
    {
        return displayName == other.displayName && layer == other.layer && action == other.action &&
               weight == other.weight && conditions == other.conditions;
    }
};

// Same layout as a Win32 GUID.
struct Guid
{
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};

    bool operator==(const Guid& other) const;
    bool operator!=(const Guid& other) const { return !(*this == other); }
};

using FilterId = std::uint64_t;
using SessionHandle = std::uintptr_t; // 0: no session

inline constexpr const char* defaultFilterName = "Tarnu";
inline constexpr const char* sublayerName = "Tarnu";
inline constexpr std::uint16_t sublayerWeight = 256;

} // namespace firewall
