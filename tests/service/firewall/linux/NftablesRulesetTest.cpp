#include "firewall/linux/NameServers.h"
#include "firewall/linux/NftablesRuleset.h"

#include "firewall/RulePlan.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace firewall;

namespace {

const std::string table = "quarnel";
const std::uint32_t testNameServer = parseAddress("192.0.2.53");

// The table as written by NftablesRuleset::tableText: chains (base chains included) and
// named sets.
struct Table
{
    std::map<std::string, std::vector<std::string>> chains;
    std::map<std::string, std::set<std::string>> sets;
};

std::vector<std::string> splitList(const std::string& inner)
{
    std::vector<std::string> items;
    std::istringstream stream(inner);
    std::string item;
    while (std::getline(stream, item, ',')) {
        item.erase(0, item.find_first_not_of(' '));
        item.erase(item.find_last_not_of(' ') + 1);
        if (!item.empty()) {
            items.push_back(item);
        }
    }
    return items;
}

std::string between(const std::string& text, const std::string& open, const std::string& close)
{
    const std::size_t start = text.find(open) + open.size();
    return text.substr(start, text.rfind(close) - start);
}

Table parse(const std::string& text)
{
    Table parsed;
    std::istringstream stream(text);
    std::string line;
    std::string chain;
    std::string set;
    while (std::getline(stream, line)) {
        if (line.rfind("\tchain ", 0) == 0) {
            chain = between(line, "\tchain ", " {");
            parsed.chains[chain];
        } else if (line.rfind("\tset ", 0) == 0) {
            set = between(line, "\tset ", " {");
            parsed.sets[set];
        } else if (line == "\t}") {
            chain.clear();
            set.clear();
        } else if (!set.empty() && line.find("elements = {") != std::string::npos) {
            for (const std::string& element : splitList(between(line, "elements = {", "}"))) {
                parsed.sets[set].insert(element);
            }
        } else if (!chain.empty() && line.rfind("\t\t", 0) == 0) {
            parsed.chains[chain].push_back(line.substr(2));
        }
    }
    return parsed;
}

// Applies the commands removeFilter returns, as the kernel would.
void replay(Table& state, const std::string& commands)
{
    const std::string prefix = " inet " + table + " ";
    std::istringstream stream(commands);
    std::string line;
    while (std::getline(stream, line)) {
        const std::size_t at = line.find(prefix);
        ASSERT_NE(at, std::string::npos) << line;
        const std::string verb = line.substr(0, at);
        const std::string rest = line.substr(at + prefix.size());
        const std::string name = rest.substr(0, rest.find(' '));
        if (verb == "flush chain") {
            state.chains.at(name).clear();
        } else if (verb == "add rule") {
            state.chains.at(name).push_back(rest.substr(name.size() + 1));
        } else if (verb == "delete set") {
            ASSERT_EQ(state.sets.count(name), 1u) << line;
            state.sets.erase(name);
        } else if (verb == "delete element") {
            for (const std::string& element : splitList(between(rest, "{", "}"))) {
                ASSERT_EQ(state.sets.at(name).erase(element), 1u) << line;
            }
        } else {
            FAIL() << "unexpected command: " << line;
        }
    }
}

// What the packets meet: set references replaced by their elements; chains without
// rules, and jumps to them, left out (they change nothing).
std::map<std::string, std::vector<std::string>> behaviour(const Table& state)
{
    std::map<std::string, std::vector<std::string>> result;
    for (const auto& [name, rules] : state.chains) {
        if (rules.empty()) {
            continue;
        }
        std::vector<std::string>& out = result[name];
        for (std::string rule : rules) {
            const std::size_t at = rule.find('@');
            if (at != std::string::npos) {
                const std::size_t end = rule.find(' ', at);
                const std::string set = rule.substr(at + 1, end - at - 1);
                std::string elements = "{";
                if (state.sets.count(set) == 0) {
                    elements += " missing set " + set;
                }
                for (const std::string& element :
                     state.sets.count(set) ? state.sets.at(set) : std::set<std::string>{}) {
                    elements += " " + element;
                }
                rule.replace(at, end - at, elements + " }");
            }
            out.push_back(rule);
        }
    }
    for (const char* base : {"output", "input"}) {
        std::vector<std::string>& rules = result[base];
        rules.erase(std::remove_if(rules.begin(), rules.end(),
                                   [&](const std::string& rule) {
                                       const std::size_t jump = rule.find("jump ");
                                       return jump != std::string::npos && result.count(rule.substr(jump + 5)) == 0;
                                   }),
                    rules.end());
    }
    return result;
}

std::vector<std::string> chainRules(const std::vector<Filter>& filters, const std::string& chain)
{
    const Table parsed = parse(renderNftables(filters, table));
    const auto found = parsed.chains.find(chain);
    return found == parsed.chains.end() ? std::vector<std::string>{} : found->second;
}

Condition condition(Field field, Match match, std::uint64_t value, std::uint64_t high = 0,
                    std::uint32_t mask = 0xFFFFFFFFu)
{
    Condition result;
    result.field = field;
    result.match = match;
    result.value = value;
    result.high = high;
    result.mask = mask;
    return result;
}

Filter filter(Layer layer, Action action, std::optional<std::uint8_t> weight, std::vector<Condition> conditions)
{
    Filter result;
    result.displayName = defaultFilterName;
    result.layer = layer;
    result.action = action;
    result.weight = weight;
    result.conditions = std::move(conditions);
    return result;
}

Condition port(Field field, std::uint16_t value)
{
    return condition(field, Match::Equal, value);
}

Condition notTunnel(Match match = Match::Less)
{
    return condition(Field::LocalInterface, match, tunnelInterfaceLuid);
}

std::vector<Filter> plan(const std::vector<std::uint32_t>& servers)
{
    std::vector<Filter> filters = tunnelRules(servers, tunnelInterfaceLuid, {testNameServer});
    filters.push_back(brumeRangePermit());
    for (const Filter& permit : localNetworkPermits()) {
        filters.push_back(permit);
    }
    return filters;
}

} // namespace

TEST(NftablesRulesetTest, RulesStandInWfpPrecedenceWhateverTheOrderAdded)
{
    struct Case
    {
        const char* why;
        Filter first;
        Filter second;
    };
    const Layer layer = Layer::AleAuthConnectV4;
    const Case cases[] = {
        {"a higher 8-bit weight first", filter(layer, Action::Permit, 3, {port(Field::RemotePort, 1)}),
         filter(layer, Action::Block, 1, {port(Field::RemotePort, 2)})},
        {"an empty weight ranks in the 0 band", filter(layer, Action::Block, 1, {port(Field::RemotePort, 1)}),
         filter(layer, Action::Permit, std::nullopt, {notTunnel(), port(Field::RemotePort, 2)})},
        {"in the 0 band more conditions first",
         filter(layer, Action::Permit, std::nullopt, {notTunnel(), port(Field::RemotePort, 53)}),
         filter(layer, Action::Block, 0, {notTunnel()})},
        {"in any band more conditions first",
         filter(layer, Action::Permit, 4, {port(Field::LocalPort, 1), port(Field::RemotePort, 2)}),
         filter(layer, Action::Block, 4, {port(Field::RemotePort, 3)})},
        {"a tie goes to the block", filter(layer, Action::Block, 0, {port(Field::RemotePort, 1)}),
         filter(layer, Action::Permit, std::nullopt, {port(Field::RemotePort, 2)})},
    };
    for (const Case& test : cases) {
        for (bool reversed : {false, true}) {
            const std::vector<Filter> filters =
                reversed ? std::vector<Filter>{test.second, test.first} : std::vector<Filter>{test.first, test.second};
            const std::vector<std::string> rules = chainRules(filters, "ale_auth_connect_v4");
            const std::vector<std::string> firstRules = chainRules({test.first}, "ale_auth_connect_v4");
            ASSERT_FALSE(rules.empty()) << test.why;
            EXPECT_EQ(rules.front(), firstRules.front()) << test.why << (reversed ? " (added last)" : "");
        }
    }
}

TEST(NftablesRulesetTest, KillSwitchPlanReadsAsOneChainInPrecedenceOrder)
{
    std::vector<Filter> filters = plan({parseAddress("127.0.0.1"), parseAddress("198.51.100.2")});
    const std::vector<Filter> blockAll = ipv4BlockAllSet();
    filters.insert(filters.end(), blockAll.begin(), blockAll.end());

    const std::vector<std::string> expected = {
        "drop",
        "ip saddr 10.10.1.0-10.10.1.255 return",
        "ip saddr 10.0.0.0-10.0.254.255 return",
        "ip daddr 192.168.0.1-192.168.254.255 return",
        "oifname != \"tun*\" oifname != \"tap*\" meta l4proto { tcp, udp } th sport 68 th dport 67 return",
        "oifname != \"tun*\" oifname != \"tap*\" ip daddr @addresses0 return",
        "oifname != \"tun*\" oifname != \"tap*\" ip daddr @addresses1 meta l4proto { tcp, udp } th dport 53 return",
        "oifname != \"tun*\" oifname != \"tap*\" drop",
    };
    EXPECT_EQ(chainRules(filters, "ale_auth_connect_v4"), expected);
    EXPECT_EQ(chainRules(filters, "inbound_transport_v4"),
              std::vector<std::string>{"meta l4proto { tcp, udp } th dport 53 return"});
    EXPECT_EQ(chainRules(filters, "ale_auth_connect_v6"),
              std::vector<std::string>{"oifname != \"tun*\" oifname != \"tap*\" drop"});
}

TEST(NftablesRulesetTest, SameShapeAddressesShareOneRuleOverASet)
{
    std::vector<std::uint32_t> servers;
    for (std::uint32_t i = 0; i < 1000; ++i) {
        servers.push_back(0xCB007100u + i); // from 203.0.113.0 on
    }
    servers.push_back(servers.front()); // listed twice
    std::vector<Filter> filters = tunnelRules(servers, tunnelInterfaceLuid, {testNameServer});
    // Same addresses, different shapes: a weight, a field, an extra condition.
    filters.push_back(filter(Layer::AleAuthConnectV4, Action::Permit, 2,
                             {notTunnel(), condition(Field::RemoteAddress, Match::Equal, servers[0])}));
    filters.push_back(filter(Layer::AleAuthConnectV4, Action::Permit, 1,
                             {notTunnel(), condition(Field::LocalAddress, Match::Equal, servers[1])}));
    filters.push_back(
        filter(Layer::AleAuthConnectV4, Action::Permit, 1,
               {notTunnel(), condition(Field::RemoteAddress, Match::Equal, servers[2]), port(Field::RemotePort, 443)}));

    const Table parsed = parse(renderNftables(filters, table));
    ASSERT_EQ(parsed.sets.size(), 5u); // with the name server's own
    std::size_t serverSets = 0;
    for (const auto& [name, elements] : parsed.sets) {
        if (elements.size() == 1000) {
            ++serverSets;
            EXPECT_EQ(elements.count("203.0.113.0") + elements.count("203.0.116.231"), 2u);
        } else {
            EXPECT_EQ(elements.size(), 1u) << name;
        }
    }
    EXPECT_EQ(serverSets, 1u);
    // Block pair, DHCP, DNS and the four address rules.
    EXPECT_EQ(parsed.chains.at("ale_auth_connect_v4").size(), 7u);
}

TEST(NftablesRulesetTest, TunnelAdapterConditionsNameTheInterfaces)
{
    struct Case
    {
        Match match;
        std::uint64_t luid;
        Action action;
        const char* outbound; // rule in the outbound chain; nullptr: no rule
        const char* inbound;
    };
    const Case cases[] = {
        {Match::Equal, tunnelInterfaceLuid, Action::Block, "oifname { \"tun*\", \"tap*\" } drop",
         "iifname { \"tun*\", \"tap*\" } drop"},
        {Match::Less, tunnelInterfaceLuid, Action::Permit, "oifname != \"tun*\" oifname != \"tap*\" return",
         "iifname != \"tun*\" iifname != \"tap*\" return"},
        // No interface ranks above the tunnel.
        {Match::Greater, tunnelInterfaceLuid, Action::Block, nullptr, nullptr},
        // LUIDs of other interfaces cannot be named: a block takes them all, a permit none.
        {Match::Equal, 42, Action::Block, "oifname != \"tun*\" oifname != \"tap*\" drop",
         "iifname != \"tun*\" iifname != \"tap*\" drop"},
        {Match::Less, 42, Action::Block, "oifname != \"tun*\" oifname != \"tap*\" drop",
         "iifname != \"tun*\" iifname != \"tap*\" drop"},
        {Match::Equal, 42, Action::Permit, nullptr, nullptr},
        {Match::Greater, 42, Action::Permit, "oifname { \"tun*\", \"tap*\" } return",
         "iifname { \"tun*\", \"tap*\" } return"},
        {Match::Range, 0, Action::Permit, "return", "return"}, // 0 up to the tunnel: every interface
    };
    for (const Case& test : cases) {
        Condition interface = condition(Field::LocalInterface, test.match, test.luid, tunnelInterfaceLuid);
        const std::vector<Filter> filters = {filter(Layer::AleFlowEstablishedV4, test.action, 0, {interface})};
        const auto expect = [](const char* rule) {
            return rule ? std::vector<std::string>{rule} : std::vector<std::string>{};
        };
        EXPECT_EQ(chainRules(filters, "ale_flow_established_v4_out"), expect(test.outbound)) << test.luid;
        EXPECT_EQ(chainRules(filters, "ale_flow_established_v4_in"), expect(test.inbound)) << test.luid;
    }
}

TEST(NftablesRulesetTest, InterfacePairIsOneRuleUntilBothAreRemoved)
{
    const std::vector<Filter> filters = tunnelRules({}, tunnelInterfaceLuid, {testNameServer});
    // Greater first, then less: ids 0 and 1 are the IPv4 block pair.
    ASSERT_EQ(filters[0].conditions[0].match, Match::Greater);
    std::map<FilterId, Filter> byId;
    for (std::size_t i = 0; i < filters.size(); ++i) {
        byId.emplace(i, filters[i]);
    }
    NftablesRuleset ruleset(byId);
    const std::vector<std::string> connect = parse(ruleset.tableText(table)).chains.at("ale_auth_connect_v4");
    EXPECT_EQ(std::count(connect.begin(), connect.end(), "oifname != \"tun*\" oifname != \"tap*\" drop"), 1);
    // Block pairs in v4 and v6, DHCP and DNS pairs, the inbound DNS permit.
    EXPECT_EQ(ruleset.ruleCount(), 5u);

    EXPECT_EQ(ruleset.removeFilter(0, table), "");
    const std::string commands = ruleset.removeFilter(1, table);
    EXPECT_NE(commands.find("flush chain inet quarnel ale_auth_connect_v4\n"), std::string::npos) << commands;
    EXPECT_EQ(commands.find("drop"), std::string::npos) << commands;
    EXPECT_EQ(ruleset.ruleCount(), 4u);
}

TEST(NftablesRulesetTest, EveryLayerSitsInTheChainsOfItsPackets)
{
    struct Case
    {
        Layer layer;
        std::vector<std::string> jumps; // base chain: jump
    };
    const Case cases[] = {
        {Layer::AleAuthConnectV4, {"output: meta nfproto ipv4 jump ale_auth_connect_v4"}},
        {Layer::AleConnectRedirectV4, {"output: meta nfproto ipv4 jump ale_connect_redirect_v4"}},
        {Layer::AleFlowEstablishedV4,
         {"output: meta nfproto ipv4 jump ale_flow_established_v4_out",
          "input: meta nfproto ipv4 jump ale_flow_established_v4_in"}},
        {Layer::StreamV4,
         {"output: meta nfproto ipv4 meta l4proto tcp jump stream_v4_out",
          "input: meta nfproto ipv4 meta l4proto tcp jump stream_v4_in"}},
        {Layer::AleAuthRecvAcceptV4, {"input: meta nfproto ipv4 jump ale_auth_recv_accept_v4"}},
        {Layer::InboundTransportV4, {"input: meta nfproto ipv4 jump inbound_transport_v4"}},
        {Layer::AleAuthConnectV6, {"output: meta nfproto ipv6 jump ale_auth_connect_v6"}},
        {Layer::AleConnectRedirectV6, {"output: meta nfproto ipv6 jump ale_connect_redirect_v6"}},
        {Layer::AleFlowEstablishedV6,
         {"output: meta nfproto ipv6 jump ale_flow_established_v6_out",
          "input: meta nfproto ipv6 jump ale_flow_established_v6_in"}},
        {Layer::StreamV6,
         {"output: meta nfproto ipv6 meta l4proto tcp jump stream_v6_out",
          "input: meta nfproto ipv6 meta l4proto tcp jump stream_v6_in"}},
        {Layer::AleAuthRecvAcceptV6, {"input: meta nfproto ipv6 jump ale_auth_recv_accept_v6"}},
    };
    for (const Case& test : cases) {
        const Table parsed = parse(renderNftables({filter(test.layer, Action::Block, 15, {})}, table));
        std::vector<std::string> jumps;
        for (const char* base : {"output", "input"}) {
            for (const std::string& rule : parsed.chains.at(base)) {
                if (rule.find("jump ") != std::string::npos) {
                    jumps.push_back(std::string(base) + ": " + rule);
                    EXPECT_EQ(parsed.chains.at(rule.substr(rule.find("jump ") + 5)), std::vector<std::string>{"drop"});
                }
            }
        }
        EXPECT_EQ(jumps, test.jumps) << static_cast<int>(test.layer);
        EXPECT_EQ(parsed.chains.size(), 2 + test.jumps.size());
        EXPECT_EQ(parsed.chains.at("output").front(), "type filter hook output priority filter; policy accept;");
        EXPECT_EQ(parsed.chains.at("input").front(), "type filter hook input priority filter; policy accept;");
    }
}

TEST(NftablesRulesetTest, ConditionsAreReadFromThisHostsSide)
{
    struct Case
    {
        Condition condition;
        const char* outbound; // matches on an outgoing packet; nullptr: the filter matches nothing
        const char* inbound;
    };
    const Case cases[] = {
        {condition(Field::RemoteAddress, Match::Equal, parseAddress("10.1.2.3"), 0, 0xFFFFFF00u),
         "ip daddr 10.1.2.0/24", "ip saddr 10.1.2.0/24"},
        {condition(Field::RemoteAddress, Match::Equal, parseAddress("10.1.2.3"), 0, 0xFF00FF00u),
         "ip daddr & 255.0.255.0 == 10.0.2.0", "ip saddr & 255.0.255.0 == 10.0.2.0"},
        {condition(Field::RemoteAddress, Match::Equal, parseAddress("10.1.2.3"), 0, 0), "", ""},
        {condition(Field::LocalAddress, Match::Range, parseAddress("10.0.0.0"), parseAddress("10.0.254.255")),
         "ip saddr 10.0.0.0-10.0.254.255", "ip daddr 10.0.0.0-10.0.254.255"},
        {condition(Field::LocalAddress, Match::Greater, parseAddress("10.0.0.0")), "ip saddr 10.0.0.1-255.255.255.255",
         "ip daddr 10.0.0.1-255.255.255.255"},
        {condition(Field::RemoteAddress, Match::Less, parseAddress("10.0.0.0")), "ip daddr 0.0.0.0-9.255.255.255",
         "ip saddr 0.0.0.0-9.255.255.255"},
        {condition(Field::RemoteAddress, Match::Range, 9, 3), nullptr, nullptr},
        {condition(Field::LocalPort, Match::Equal, 68), "meta l4proto { tcp, udp } th sport 68",
         "meta l4proto { tcp, udp } th dport 68"},
        {condition(Field::RemotePort, Match::Greater, 1023), "meta l4proto { tcp, udp } th dport 1024-65535",
         "meta l4proto { tcp, udp } th sport 1024-65535"},
        {condition(Field::RemotePort, Match::Less, 1024), "meta l4proto { tcp, udp } th dport 0-1023",
         "meta l4proto { tcp, udp } th sport 0-1023"},
        {condition(Field::RemotePort, Match::Equal, 70000), nullptr, nullptr},
        {condition(Field::RemotePort, Match::Greater, 65535), nullptr, nullptr},
    };
    for (const Case& test : cases) {
        const std::vector<Filter> filters = {filter(Layer::AleFlowEstablishedV4, Action::Permit, 1, {test.condition})};
        const auto expect = [](const char* matches) {
            if (matches == nullptr) {
                return std::vector<std::string>{};
            }
            return std::vector<std::string>{*matches ? std::string(matches) + " return" : "return"};
        };
        const std::vector<std::string> out = chainRules(filters, "ale_flow_established_v4_out");
        const std::vector<std::string> in = chainRules(filters, "ale_flow_established_v4_in");
        EXPECT_EQ(out, expect(test.outbound)) << (test.outbound ? test.outbound : "(nothing)");
        EXPECT_EQ(in, expect(test.inbound)) << (test.inbound ? test.inbound : "(nothing)");
    }
}

TEST(NftablesRulesetTest, TranslationErrsTowardsBlocking)
{
    const Layer layer = Layer::AleAuthConnectV4;
    // Ports exist only for TCP and UDP here; a block on ports stops every other protocol
    // too, a permit on ports lets none through.
    EXPECT_EQ(
        chainRules({filter(layer, Action::Block, 0, {port(Field::RemotePort, 53)})}, "ale_auth_connect_v4"),
        (std::vector<std::string>{"meta l4proto { tcp, udp } th dport 53 drop", "meta l4proto != { tcp, udp } drop"}));
    EXPECT_EQ(chainRules({filter(layer, Action::Permit, 0, {port(Field::RemotePort, 53)})}, "ale_auth_connect_v4"),
              std::vector<std::string>{"meta l4proto { tcp, udp } th dport 53 return"});
    // Conditions on one field are alternatives.
    EXPECT_EQ(
        chainRules({filter(layer, Action::Permit, 0, {port(Field::RemotePort, 53), port(Field::RemotePort, 853)})},
                   "ale_auth_connect_v4"),
        (std::vector<std::string>{"meta l4proto { tcp, udp } th dport 53 return",
                                  "meta l4proto { tcp, udp } th dport 853 return"}));
    // IPv4 addresses describe no IPv6 packet: such filters never match.
    for (Action action : {Action::Block, Action::Permit}) {
        EXPECT_TRUE(chainRules({filter(Layer::AleAuthConnectV6, action, 15,
                                       {condition(Field::RemoteAddress, Match::Equal, 1)})},
                               "ale_auth_connect_v6")
                        .empty());
    }
}

TEST(NftablesRulesetTest, RemovalsLeaveWhatAFreshWriteHolds)
{
    std::vector<Filter> filters = plan({parseAddress("127.0.0.1"), parseAddress("198.51.100.2"),
                                        parseAddress("198.51.100.2"), parseAddress("203.0.113.9")});
    for (const std::vector<Filter>& more : {ipv4BlockAllSet(), ipv6BlockSet()}) {
        filters.insert(filters.end(), more.begin(), more.end());
    }
    filters.push_back(filter(Layer::StreamV4, Action::Block, 5, {port(Field::LocalPort, 25)}));
    filters.push_back(filter(Layer::AleAuthConnectV4, Action::Block, 5,
                             {condition(Field::LocalAddress, Match::Equal, parseAddress("10.9.9.9"))}));

    std::map<FilterId, Filter> all;
    for (std::size_t i = 0; i < filters.size(); ++i) {
        all.emplace(100 + i, filters[i]);
    }
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::vector<FilterId> order;
        for (const auto& entry : all) {
            order.push_back(entry.first);
        }
        std::mt19937 random(seed);
        std::shuffle(order.begin(), order.end(), random);

        NftablesRuleset installed(all);
        Table kernel = parse(installed.tableText(table));
        std::map<FilterId, Filter> remaining = all;
        for (FilterId id : order) {
            replay(kernel, installed.removeFilter(id, table));
            remaining.erase(id);
            const Table fresh = parse(NftablesRuleset(remaining).tableText(table));
            ASSERT_EQ(behaviour(kernel), behaviour(fresh)) << "seed " << seed << ", after removing " << id;
        }
        EXPECT_TRUE(kernel.sets.empty());
        EXPECT_EQ(installed.ruleCount(), 0u);
    }
}

TEST(NameServersTest, ReadsTheIPv4ServersOfResolverFilesOnce)
{
    const std::string text = "# nameserver 10.0.0.1\n"
                             "search example.org\n"
                             "nameserver 192.0.2.1\n"
                             "  nameserver\t198.51.100.7   # trailing words are ignored\r\n"
                             "nameserver ::1\n"
                             "nameserver fe80::1%eth0\n"
                             "nameserver 300.1.1.1\n"
                             "nameserverx 203.0.113.9\n"
                             "nameserver\n"
                             "nameserver 192.0.2.1\n"
                             "nameserver 10.0.0.2";
    EXPECT_EQ(parseNameServers(text), (std::vector<std::uint32_t>{parseAddress("192.0.2.1"),
                                                                  parseAddress("198.51.100.7"),
                                                                  parseAddress("10.0.0.2")}));
    EXPECT_TRUE(parseNameServers("").empty());

    char folder[] = "/tmp/quarnel-nameservers-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string first = std::string(folder) + "/resolv.conf";
    const std::string second = std::string(folder) + "/upstream.conf";
    std::ofstream(first) << "nameserver 127.0.0.53\n";
    std::ofstream(second) << "nameserver 192.0.2.1\nnameserver 127.0.0.53\n";
    EXPECT_EQ(readNameServers({first, std::string(folder) + "/missing", second}),
              (std::vector<std::uint32_t>{parseAddress("127.0.0.53"), parseAddress("192.0.2.1")}));
    std::remove(first.c_str());
    std::remove(second.c_str());
    rmdir(folder);
}
