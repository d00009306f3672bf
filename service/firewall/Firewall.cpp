#include "firewall/Firewall.h"

#include "firewall/RulePlan.h"

#include <cstdio>

namespace firewall {

Firewall::Firewall(std::unique_ptr<Engine> engine) : filterEngine(std::move(engine))
{
    supported = filterEngine && filterEngine->isSupported();
}

Firewall::~Firewall()
{
    if (supported && isSessionOpen()) {
        disable();
    }
}

bool Firewall::isSupported() const
{
    return supported;
}

bool Firewall::isSessionOpen() const
{
    return session != 0;
}

void Firewall::enable(const std::string& addressList, const RuleOptions& options)
{
    if (!supported || isSessionOpen()) {
        return;
    }
    SessionHandle opened = 0;
    if (!filterEngine->openSession(opened) || opened == 0) {
        return;
    }
    session = opened;
    if (!filterEngine->beginTransaction(session)) {
        closeSession();
        return;
    }
    // Without its sublayer no filter could be added: leave no half-made session behind,
    // so that the next update starts afresh.
    Guid key;
    if (!filterEngine->createGuid(key) || !filterEngine->addSublayer(session, key)) {
        filterEngine->abortTransaction(session);
        closeSession();
        return;
    }
    sublayerKey = key;
    if (options.killConnect) {
        installKillSwitch(addressList, options);
    }
    if (!filterEngine->commitTransaction(session)) {
        // Rolled back, sublayer included: keep no ids of filters that do not exist, and
        // let the next request start afresh.
        tunnelIds.clear();
        iPv6Ids.clear();
        permitIds.clear();
        closeSession();
    }
}

void Firewall::update(const std::string& addressList, const RuleOptions& options)
{
    if (!supported) {
        return;
    }
    // With no session (the service restarted, or an earlier enable failed) the kill switch
    // first comes back in its plain form, then the requested rules replace it as in any update.
    if (!isSessionOpen()) {
        enable(addressList, RuleOptions::plainKillSwitch());
        if (!isSessionOpen()) {
            return;
        }
    }
    if (!filterEngine->beginTransaction(session)) {
        return;
    }
    const std::vector<FilterId> tunnelBefore = tunnelIds;
    const std::vector<FilterId> iPv6Before = iPv6Ids;
    const std::vector<FilterId> permitBefore = permitIds;
    addFilters(ipv4BlockAllSet(), transitionIds);
    addFilters(ipv6BlockSet(), transitionIds);
    removeList(tunnelIds);
    removeList(iPv6Ids);
    removeList(permitIds);
    if (options.killConnect) {
        installKillSwitch(addressList, options);
    }
    removeList(transitionIds);
    if (!filterEngine->commitTransaction(session)) {
        // Rolled back: the rules in force are still the old ones, and only their ids let
        // a later update or disable remove them.
        tunnelIds = tunnelBefore;
        iPv6Ids = iPv6Before;
        permitIds = permitBefore;
        transitionIds.clear();
    }
}

void Firewall::disable()
{
    if (!isSessionOpen()) {
        return;
    }
    removeList(tunnelIds);
    removeList(iPv6Ids);
    removeList(permitIds);
    removeList(transitionIds);
    filterEngine->deleteSublayer(session, sublayerKey);
    closeSession();
}

void Firewall::installKillSwitch(const std::string& addressList, const RuleOptions& options)
{
    installTrafficRules(addressList, options.blockDNS);
    addFilters({brumeRangePermit()}, permitIds);
    if (options.iPv6LeakProtect) {
        addFilters(ipv6BlockSet(), iPv6Ids);
    }
    if (options.allowLocalDevices) {
        addFilters(localNetworkPermits(), permitIds);
    }
}

void Firewall::installTrafficRules(const std::string& addressList, bool blockDNS)
{
    const AddressEntries entries = parseAddressList(addressList);
    const std::optional<std::uint64_t> tunnelLuid = filterEngine->findTunnelAdapter();
    if (blockDNS) {
        // Blocking all of IPv4 must not leave IPv6 freer than the tunnel rules do.
        addFilters(ipv4BlockAllSet(), tunnelIds);
        addFilters(ipv6OutsideTunnelBlocks(tunnelLuid), tunnelIds);
        return;
    }
    if (!entries.skipped.empty()) {
        std::string names;
        for (const std::string& entry : entries.skipped) {
            names += names.empty() ? "\"" : ", \"";
            // Entries come from the pipe: control characters must not reach the log.
            for (char c : entry) {
                names += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
            }
            names += "\"";
        }
        std::printf("Firewall: address entries skipped, not IPv4 dotted quads: %s\n", names.c_str());
        std::fflush(stdout);
    }
    // The kill switch fails closed: without a tunnel adapter the same rules hold on every
    // interface instead of being removed.
    if (!tunnelLuid) {
        std::printf("Firewall: no tunnel adapter, the kill switch holds on every interface\n");
        std::fflush(stdout);
    }
    const std::vector<std::uint32_t> nameServers = filterEngine->systemNameServers();
    if (nameServers.empty()) {
        std::printf("Firewall: no name server configured, DNS outside the tunnel is blocked\n");
    } else {
        std::string names;
        for (std::uint32_t address : nameServers) {
            names += (names.empty() ? "" : ", ") + addressText(address);
        }
        std::printf("Firewall: DNS outside the tunnel only to the system's name servers %s\n", names.c_str());
    }
    std::fflush(stdout);
    addFilters(tunnelRules(entries.addresses, tunnelLuid, nameServers), tunnelIds);
}

void Firewall::addFilters(const std::vector<Filter>& filters, std::vector<FilterId>& list)
{
    // A filter that could not be added is simply absent; only ids of added ones are kept.
    for (const Filter& filter : filters) {
        FilterId id = 0;
        if (filterEngine->addFilter(session, sublayerKey, filter, id)) {
            list.push_back(id);
        }
    }
}

void Firewall::removeList(std::vector<FilterId>& list)
{
    for (FilterId id : list) {
        filterEngine->deleteFilter(session, id);
    }
    list.clear();
}

void Firewall::closeSession()
{
    filterEngine->closeSession(session);
    session = 0;
}

} // namespace firewall
