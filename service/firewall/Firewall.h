#pragma once

#include "firewall/Engine.h"
#include "firewall/Filter.h"
#include "firewall/RuleOptions.h"

#include <memory>
#include <string>
#include <vector>

namespace firewall {

// The kill switch: one filtering session with one sublayer, and the ids of every filter
// added, kept in four lists so that each group can be replaced or removed. Called from
// the service's worker thread only; no lock.
class Firewall
{
public:
    explicit Firewall(std::unique_ptr<Engine> engine);
    ~Firewall();

    Firewall(const Firewall&) = delete;
    Firewall& operator=(const Firewall&) = delete;

    bool isSupported() const;
    bool isSessionOpen() const;

    // Opens the session and installs the rules the options ask for; nothing while a
    // session is open. `addressList`: IPv4 dotted quads joined by ";".
    void enable(const std::string& addressList, const RuleOptions& options);
    // Replaces the installed rules in one transaction; block-all sets stand in for the
    // rules while they are replaced. With no session open it enables the plain kill
    // switch first.
    void update(const std::string& addressList, const RuleOptions& options);
    // Removes every rule and the sublayer, closes the session.
    void disable();

    const Engine& engine() const { return *filterEngine; }
    Engine& engine() { return *filterEngine; }

    const std::vector<FilterId>& tunnelList() const { return tunnelIds; }
    const std::vector<FilterId>& iPv6List() const { return iPv6Ids; }
    const std::vector<FilterId>& permitList() const { return permitIds; }
    const std::vector<FilterId>& transitionList() const { return transitionIds; }

private:
    void installKillSwitch(const std::string& addressList, const RuleOptions& options);
    void installTrafficRules(const std::string& addressList, bool blockDNS);
    void addFilters(const std::vector<Filter>& filters, std::vector<FilterId>& list);
    void removeList(std::vector<FilterId>& list);
    void closeSession();

    std::unique_ptr<Engine> filterEngine;
    bool supported = false;
    SessionHandle session = 0;
    Guid sublayerKey;
    std::vector<FilterId> tunnelIds;     // tunnel rules or the IPv4 block-all set
    std::vector<FilterId> iPv6Ids;       // IPv6 block set
    std::vector<FilterId> permitIds;     // Brume-range and local-network permits
    std::vector<FilterId> transitionIds; // block sets that stand only during an update
};

} // namespace firewall
