#include "firewall/RulePlan.h"

namespace firewall {

namespace {

constexpr Layer ipv4Layers[] = {Layer::AleAuthConnectV4, Layer::AleAuthRecvAcceptV4, Layer::AleConnectRedirectV4,
                                Layer::StreamV4, Layer::AleFlowEstablishedV4};
constexpr Layer ipv6Layers[] = {Layer::AleAuthConnectV6, Layer::AleAuthRecvAcceptV6, Layer::AleConnectRedirectV6,
                                Layer::StreamV6, Layer::AleFlowEstablishedV6};

constexpr std::uint32_t hostMask = 0xFFFFFFFFu;
constexpr std::uint16_t dhcpClientPort = 68;
constexpr std::uint16_t dhcpServerPort = 67;
constexpr std::uint16_t dnsPort = 53;

Filter makeFilter(Layer layer, Action action, std::optional<std::uint8_t> weight, std::vector<Condition> conditions,
                  const char* name = defaultFilterName)
{
    Filter filter;
    filter.displayName = name;
    filter.layer = layer;
    filter.action = action;
    filter.weight = weight;
    filter.conditions = std::move(conditions);
    return filter;
}

Condition equal(Field field, std::uint64_t value)
{
    Condition condition;
    condition.field = field;
    condition.match = Match::Equal;
    condition.value = value;
    return condition;
}

Condition addressRange(Field field, const char* low, const char* high)
{
    Condition condition;
    condition.field = field;
    condition.match = Match::Range;
    condition.value = parseAddress(low);
    condition.high = parseAddress(high);
    return condition;
}

enum class PairOrder
{
    GreaterFirst,
    LessFirst,
};

// Appends `conditions` restricted to every interface but the tunnel adapter.
void addOutsideTunnel(std::vector<Filter>& out, Layer layer, Action action, std::optional<std::uint8_t> weight,
                      const std::vector<Condition>& conditions, std::optional<std::uint64_t> tunnelLuid,
                      PairOrder order)
{
    if (!tunnelLuid) {
        out.push_back(makeFilter(layer, action, weight, conditions));
        return;
    }
    const Match first = order == PairOrder::GreaterFirst ? Match::Greater : Match::Less;
    const Match second = order == PairOrder::GreaterFirst ? Match::Less : Match::Greater;
    for (Match match : {first, second}) {
        Condition onInterface;
        onInterface.field = Field::LocalInterface;
        onInterface.match = match;
        onInterface.value = *tunnelLuid;
        std::vector<Condition> all{onInterface};
        all.insert(all.end(), conditions.begin(), conditions.end());
        out.push_back(makeFilter(layer, action, weight, std::move(all)));
    }
}

} // namespace

std::uint32_t parseAddress(std::string_view text)
{
    std::uint8_t bytes[4] = {};
    int stored = 0;
    std::uint8_t current = 0;
    for (char c : text) {
        if (c == '.') {
            bytes[stored++] = current;
            current = 0;
            if (stored == 4) {
                break;
            }
        } else {
            const int digit = (c >= '0' && c <= '9') ? c - '0' : 0;
            current = static_cast<std::uint8_t>(current * 10 + digit);
        }
    }
    if (stored < 4) {
        bytes[stored] = current;
    }
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

std::string addressText(std::uint64_t address)
{
    return std::to_string(address >> 24 & 0xFF) + "." + std::to_string(address >> 16 & 0xFF) + "." +
           std::to_string(address >> 8 & 0xFF) + "." + std::to_string(address & 0xFF);
}

bool isDottedQuad(std::string_view text)
{
    int parts = 0;
    std::size_t pos = 0;
    while (true) {
        int value = 0;
        std::size_t digits = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            value = value * 10 + (text[pos] - '0');
            ++pos;
            if (++digits > 3) {
                return false;
            }
        }
        if (digits == 0 || value > 255) {
            return false;
        }
        ++parts;
        if (pos == text.size()) {
            return parts == 4;
        }
        if (text[pos] != '.' || parts == 4) {
            return false;
        }
        ++pos;
    }
}

AddressEntries parseAddressList(std::string_view list)
{
    AddressEntries entries;
    if (list.empty()) {
        return entries;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = list.find(';', start);
        const std::string_view entry = list.substr(start, end == std::string_view::npos ? end : end - start);
        if (isDottedQuad(entry)) {
            entries.addresses.push_back(parseAddress(entry));
        } else {
            entries.skipped.emplace_back(entry);
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return entries;
}

std::vector<Filter> ipv4BlockAllSet()
{
    std::vector<Filter> set;
    for (Layer layer : ipv4Layers) {
        set.push_back(makeFilter(layer, Action::Block, 15, {}));
    }
    return set;
}

std::vector<Filter> ipv6BlockSet()
{
    std::vector<Filter> set;
    for (Layer layer : ipv6Layers) {
        set.push_back(makeFilter(layer, Action::Block, 2, {}));
    }
    return set;
}

std::vector<Filter> ipv6OutsideTunnelBlocks(std::optional<std::uint64_t> tunnelLuid)
{
    std::vector<Filter> rules;
    addOutsideTunnel(rules, Layer::AleAuthConnectV6, Action::Block, 0, {}, tunnelLuid, PairOrder::GreaterFirst);
    return rules;
}

std::vector<Filter> tunnelRules(const std::vector<std::uint32_t>& servers, std::optional<std::uint64_t> tunnelLuid,
                                const std::vector<std::uint32_t>& nameServers)
{
    std::vector<Filter> rules;
    addOutsideTunnel(rules, Layer::AleAuthConnectV4, Action::Block, 0, {}, tunnelLuid, PairOrder::GreaterFirst);
    const std::vector<Filter> ipv6Blocks = ipv6OutsideTunnelBlocks(tunnelLuid);
    rules.insert(rules.end(), ipv6Blocks.begin(), ipv6Blocks.end());
    for (std::uint32_t server : servers) {
        Condition remote = equal(Field::RemoteAddress, server);
        remote.mask = hostMask;
        addOutsideTunnel(rules, Layer::AleAuthConnectV4, Action::Permit, 1, {remote}, tunnelLuid,
                         PairOrder::GreaterFirst);
    }
    addOutsideTunnel(rules, Layer::AleAuthConnectV4, Action::Permit, 3,
                     {equal(Field::LocalPort, dhcpClientPort), equal(Field::RemotePort, dhcpServerPort)}, tunnelLuid,
                     PairOrder::GreaterFirst);
    for (std::uint32_t nameServer : nameServers) {
        Condition remote = equal(Field::RemoteAddress, nameServer);
        remote.mask = hostMask;
        addOutsideTunnel(rules, Layer::AleAuthConnectV4, Action::Permit, std::nullopt,
                         {equal(Field::RemotePort, dnsPort), remote}, tunnelLuid, PairOrder::LessFirst);
    }
    rules.push_back(
        makeFilter(Layer::InboundTransportV4, Action::Permit, std::nullopt, {equal(Field::LocalPort, dnsPort)}));
    return rules;
}

Filter brumeRangePermit()
{
    return makeFilter(Layer::AleAuthConnectV4, Action::Permit, 4,
                      {addressRange(Field::LocalAddress, "10.10.1.0", "10.10.1.255")}, brumeRangeName);
}

std::vector<Filter> localNetworkPermits()
{
    return {makeFilter(Layer::AleAuthConnectV4, Action::Permit, 4,
                       {addressRange(Field::LocalAddress, "10.0.0.0", "10.0.254.255")}, localNetworkName),
            makeFilter(Layer::AleAuthConnectV4, Action::Permit, 4,
                       {addressRange(Field::RemoteAddress, "192.168.0.1", "192.168.254.255")}, localNetworkName)};
}

} // namespace firewall
