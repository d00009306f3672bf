#include "firewall/RulePlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace firewall;

namespace {

constexpr std::uint32_t ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    return a << 24 | b << 16 | c << 8 | d;
}

Condition cond(Field field, Match match, std::uint64_t value, std::uint64_t high = 0)
{
    Condition condition;
    condition.field = field;
    condition.match = match;
    condition.value = value;
    condition.high = high;
    return condition;
}

Filter filter(Layer layer, Action action, std::optional<std::uint8_t> weight, std::vector<Condition> conditions,
              const char* name = "Tarnu")
{
    Filter result;
    result.displayName = name;
    result.layer = layer;
    result.action = action;
    result.weight = weight;
    result.conditions = std::move(conditions);
    return result;
}

constexpr std::uint64_t luid = 0x0006000001000000ull;

} // namespace

TEST(AddressParser, ReadsTextTheWayStoredListsWereAlwaysRead)
{
    const struct
    {
        const char* text;
        std::uint32_t value;
    } cases[] = {
        {"127.0.0.1", ip(127, 0, 0, 1)},
        {"192.168.254.255", ip(192, 168, 254, 255)},
        {"0.0.0.0", 0},
        {"", 0},
        {"1.2.3", ip(1, 2, 3, 0)},        // three bytes packed from the top
        {"10", ip(10, 0, 0, 0)},          // one byte
        {"1.2.3.4.5", ip(1, 2, 3, 4)},    // stops after four bytes
        {"1.2.3.4.", ip(1, 2, 3, 4)},     // the fourth dot stores the last byte
        {"256.1.1.1", ip(0, 1, 1, 1)},    // 8-bit wrap
        {"300.0.0.1", ip(44, 0, 0, 1)},   // 300 mod 256
        {"1000.0.0.0", ip(232, 0, 0, 0)}, // wraps at every step, same as mod 256
        {"1a.2.3.4", ip(10, 2, 3, 4)},    // a non-digit counts as 0
        {"a.b.c.d", 0},                   // four bytes of zero digits
        {" 1.2.3.4", ip(1, 2, 3, 4)},     // a leading blank is a leading zero digit
        {"1..2", ip(1, 0, 2, 0)},         // an empty byte is 0
        {"010.001.1.1", ip(10, 1, 1, 1)}, // leading zeros are decimal
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseAddress(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(AddressParser, AcceptsOnlyFourDottedDecimalNumbersUpTo255)
{
    for (const char* good : {"0.0.0.0", "255.255.255.255", "127.0.0.1", "10.10.1.0", "010.1.1.1"}) {
        EXPECT_TRUE(isDottedQuad(good)) << good;
    }
    for (const char* bad :
         {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.999", "1.2.3.4 ", " 1.2.3.4", "1..2.3", "a.b.c.d", "1.2.3.",
          ".1.2.3", "0001.1.1.1", "1.2.3.-4", "1.2.3.4\n", "1,2,3,4", "example.com", "::1"}) {
        EXPECT_FALSE(isDottedQuad(bad)) << '"' << bad << '"';
    }
}

TEST(AddressParser, SplitsTheListKeepingOrderAndDuplicatesAndSkippingTheRest)
{
    EXPECT_TRUE(parseAddressList("").addresses.empty());
    EXPECT_TRUE(parseAddressList("").skipped.empty());

    const AddressEntries entries = parseAddressList("127.0.0.1;10.0.0.1;bad;;10.0.0.1;1.2.3;5.6.7.8;");
    EXPECT_EQ(entries.addresses,
              (std::vector<std::uint32_t>{ip(127, 0, 0, 1), ip(10, 0, 0, 1), ip(10, 0, 0, 1), ip(5, 6, 7, 8)}));
    EXPECT_EQ(entries.skipped, (std::vector<std::string>{"bad", "", "1.2.3", ""}));
}

TEST(RuleSets, BlockSetsCoverEveryLayerOfTheirFamilyWithoutConditions)
{
    const std::vector<Filter> expectedV4 = {
        filter(Layer::AleAuthConnectV4, Action::Block, 15, {}),
        filter(Layer::AleAuthRecvAcceptV4, Action::Block, 15, {}),
        filter(Layer::AleConnectRedirectV4, Action::Block, 15, {}),
        filter(Layer::StreamV4, Action::Block, 15, {}),
        filter(Layer::AleFlowEstablishedV4, Action::Block, 15, {}),
    };
    EXPECT_EQ(ipv4BlockAllSet(), expectedV4);

    const std::vector<Filter> expectedV6 = {
        filter(Layer::AleAuthConnectV6, Action::Block, 2, {}),
        filter(Layer::AleAuthRecvAcceptV6, Action::Block, 2, {}),
        filter(Layer::AleConnectRedirectV6, Action::Block, 2, {}),
        filter(Layer::StreamV6, Action::Block, 2, {}),
        filter(Layer::AleFlowEstablishedV6, Action::Block, 2, {}),
    };
    EXPECT_EQ(ipv6BlockSet(), expectedV6);
}

TEST(RuleSets, TunnelRulesPairEveryRuleOutsideTheAdapterInTheirOrder)
{
    const Condition greater = cond(Field::LocalInterface, Match::Greater, luid);
    const Condition less = cond(Field::LocalInterface, Match::Less, luid);
    const Condition server1 = cond(Field::RemoteAddress, Match::Equal, ip(127, 0, 0, 1));
    const Condition server2 = cond(Field::RemoteAddress, Match::Equal, ip(5, 6, 7, 8));
    const Condition dhcpLocal = cond(Field::LocalPort, Match::Equal, 68);
    const Condition dhcpRemote = cond(Field::RemotePort, Match::Equal, 67);
    const Condition dns = cond(Field::RemotePort, Match::Equal, 53);
    const Condition resolver1 = cond(Field::RemoteAddress, Match::Equal, ip(192, 0, 2, 53));
    const Condition resolver2 = cond(Field::RemoteAddress, Match::Equal, ip(198, 51, 100, 53));

    const std::vector<Filter> expected = {
        filter(Layer::AleAuthConnectV4, Action::Block, 0, {greater}),
        filter(Layer::AleAuthConnectV4, Action::Block, 0, {less}),
        filter(Layer::AleAuthConnectV6, Action::Block, 0, {greater}),
        filter(Layer::AleAuthConnectV6, Action::Block, 0, {less}),
        filter(Layer::AleAuthConnectV4, Action::Permit, 1, {greater, server1}),
        filter(Layer::AleAuthConnectV4, Action::Permit, 1, {less, server1}),
        filter(Layer::AleAuthConnectV4, Action::Permit, 1, {greater, server2}),
        filter(Layer::AleAuthConnectV4, Action::Permit, 1, {less, server2}),
        filter(Layer::AleAuthConnectV4, Action::Permit, 3, {greater, dhcpLocal, dhcpRemote}),
        filter(Layer::AleAuthConnectV4, Action::Permit, 3, {less, dhcpLocal, dhcpRemote}),
        // DNS, only to the system's name servers: less first
        filter(Layer::AleAuthConnectV4, Action::Permit, std::nullopt, {less, dns, resolver1}),
        filter(Layer::AleAuthConnectV4, Action::Permit, std::nullopt, {greater, dns, resolver1}),
        filter(Layer::AleAuthConnectV4, Action::Permit, std::nullopt, {less, dns, resolver2}),
        filter(Layer::AleAuthConnectV4, Action::Permit, std::nullopt, {greater, dns, resolver2}),
        filter(Layer::InboundTransportV4, Action::Permit, std::nullopt, {cond(Field::LocalPort, Match::Equal, 53)}),
    };
    const std::vector<std::uint32_t> resolvers{ip(192, 0, 2, 53), ip(198, 51, 100, 53)};
    EXPECT_EQ(tunnelRules({ip(127, 0, 0, 1), ip(5, 6, 7, 8)}, luid, resolvers), expected);
    for (const Filter& rule : tunnelRules({ip(127, 0, 0, 1)}, luid, resolvers)) {
        for (const Condition& condition : rule.conditions) {
            EXPECT_EQ(condition.mask, 0xFFFFFFFFu); // servers and name servers are single hosts
        }
    }
}

TEST(RuleSets, WithoutNameServersNoDnsLeavesOutsideTheTunnel)
{
    for (const Filter& rule : tunnelRules({ip(127, 0, 0, 1)}, luid, {})) {
        const bool outbound = rule.layer == Layer::AleAuthConnectV4;
        for (const Condition& condition : rule.conditions) {
            EXPECT_FALSE(outbound && condition.field == Field::RemotePort && condition.value == 53);
        }
    }
    EXPECT_EQ(tunnelRules({ip(127, 0, 0, 1)}, luid, {}).size(), 2u + 2 + 2 + 2 + 1);
}

TEST(RuleSets, WithoutAnAdapterTheSameRulesHoldOnEveryInterface)
{
    const std::vector<Filter> expected = {
        filter(Layer::AleAuthConnectV4, Action::Block, 0, {}),
        filter(Layer::AleAuthConnectV6, Action::Block, 0, {}),
        filter(Layer::AleAuthConnectV4, Action::Permit, 1,
               {cond(Field::RemoteAddress, Match::Equal, ip(127, 0, 0, 1))}),
        filter(Layer::AleAuthConnectV4, Action::Permit, 3,
               {cond(Field::LocalPort, Match::Equal, 68), cond(Field::RemotePort, Match::Equal, 67)}),
        filter(Layer::AleAuthConnectV4, Action::Permit, std::nullopt,
               {cond(Field::RemotePort, Match::Equal, 53), cond(Field::RemoteAddress, Match::Equal, ip(10, 0, 0, 53))}),
        filter(Layer::InboundTransportV4, Action::Permit, std::nullopt, {cond(Field::LocalPort, Match::Equal, 53)}),
    };
    EXPECT_EQ(tunnelRules({ip(127, 0, 0, 1)}, std::nullopt, {ip(10, 0, 0, 53)}), expected);
}

TEST(RuleSets, RangePermitsUseTheParsedBoundsAndTheirOwnNames)
{
    EXPECT_EQ(brumeRangePermit(),
              filter(Layer::AleAuthConnectV4, Action::Permit, 4,
                     {cond(Field::LocalAddress, Match::Range, ip(10, 10, 1, 0), ip(10, 10, 1, 255))},
                     "Quarnel filter to permit traffic from brume vpn IPs range ..."));
    const char* localName = "Quarnel filter to permit traffic from local vpn IPs range ...";
    const std::vector<Filter> expected = {
        filter(Layer::AleAuthConnectV4, Action::Permit, 4,
               {cond(Field::LocalAddress, Match::Range, ip(10, 0, 0, 0), ip(10, 0, 254, 255))}, localName),
        filter(Layer::AleAuthConnectV4, Action::Permit, 4,
               {cond(Field::RemoteAddress, Match::Range, ip(192, 168, 0, 1), ip(192, 168, 254, 255))}, localName),
    };
    EXPECT_EQ(localNetworkPermits(), expected);
}
