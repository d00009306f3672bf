#include "firewall/Evaluator.h"

#include <algorithm>

namespace firewall {

namespace {

bool compare(Match match, std::uint64_t actual, const Condition& condition)
{
    switch (match) {
    case Match::Equal:
        return actual == condition.value;
    case Match::Greater:
        return actual > condition.value;
    case Match::Less:
        return actual < condition.value;
    case Match::Range:
        return actual >= condition.value && actual <= condition.high;
    }
    return false;
}

bool conditionMatches(const Condition& condition, const Connection& connection)
{
    switch (condition.field) {
    case Field::LocalInterface:
        return compare(condition.match, connection.interfaceLuid, condition);
    case Field::RemoteAddress:
    case Field::LocalAddress: {
        // IPv4 values never describe an IPv6 connection.
        if (connection.ipv6) {
            return false;
        }
        const std::uint32_t address =
            condition.field == Field::RemoteAddress ? connection.remoteAddress : connection.localAddress;
        if (condition.match == Match::Equal) {
            return (address & condition.mask) == (static_cast<std::uint32_t>(condition.value) & condition.mask);
        }
        return compare(condition.match, address, condition);
    }
    case Field::LocalPort:
        return compare(condition.match, connection.localPort, condition);
    case Field::RemotePort:
        return compare(condition.match, connection.remotePort, condition);
    }
    return false;
}

// As in WFP, conditions on the same field are alternatives, conditions on different
// fields must all hold.
bool filterMatches(const Filter& filter, const Connection& connection)
{
    for (const Condition& condition : filter.conditions) {
        if (conditionMatches(condition, connection)) {
            continue;
        }
        const bool alternativeHolds =
            std::any_of(filter.conditions.begin(), filter.conditions.end(), [&](const Condition& other) {
                return other.field == condition.field && conditionMatches(other, connection);
            });
        if (!alternativeHolds) {
            return false;
        }
    }
    return true;
}

// Higher 8-bit weight first, an empty weight in the 0 band; within a band more conditions
// first. Two filters still tied are ranked block first: the plan never depends on such a
// tie, and if a translation ever did, the stricter reading is the safe one.
bool outranks(const Filter& a, const Filter& b)
{
    const int bandA = a.weight.value_or(0);
    const int bandB = b.weight.value_or(0);
    if (bandA != bandB) {
        return bandA > bandB;
    }
    if (a.conditions.size() != b.conditions.size()) {
        return a.conditions.size() > b.conditions.size();
    }
    return a.action == Action::Block && b.action == Action::Permit;
}

} // namespace

std::vector<Layer> layersTraversed(const Connection& connection)
{
    const bool tcp = connection.protocol == Protocol::Tcp;
    std::vector<Layer> layers;
    if (!connection.ipv6) {
        if (connection.direction == Direction::Outbound) {
            layers = {Layer::AleAuthConnectV4, Layer::AleConnectRedirectV4, Layer::AleFlowEstablishedV4};
            if (tcp) {
                layers.push_back(Layer::StreamV4);
            }
            layers.push_back(Layer::InboundTransportV4);
        } else {
            layers = {Layer::AleAuthRecvAcceptV4, Layer::InboundTransportV4, Layer::AleFlowEstablishedV4};
            if (tcp) {
                layers.push_back(Layer::StreamV4);
            }
        }
    } else {
        if (connection.direction == Direction::Outbound) {
            layers = {Layer::AleAuthConnectV6, Layer::AleConnectRedirectV6, Layer::AleFlowEstablishedV6};
        } else {
            layers = {Layer::AleAuthRecvAcceptV6, Layer::AleFlowEstablishedV6};
        }
        if (tcp) {
            layers.push_back(Layer::StreamV6);
        }
    }
    return layers;
}

Verdict evaluate(const std::vector<Filter>& installed, const Connection& connection)
{
    for (Layer layer : layersTraversed(connection)) {
        const Filter* decisive = nullptr;
        for (const Filter& filter : installed) {
            if (filter.layer != layer || !filterMatches(filter, connection)) {
                continue;
            }
            if (decisive == nullptr || outranks(filter, *decisive)) {
                decisive = &filter;
            }
        }
        if (decisive != nullptr && decisive->action == Action::Block) {
            return Verdict::Block;
        }
    }
    return Verdict::Permit;
}

} // namespace firewall
