#include "firewall/Evaluator.h"

#include "RecordingEngine.h"
#include "firewall/Firewall.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace firewall;

namespace {

constexpr std::uint32_t ip(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
{
    return a << 24 | b << 16 | c << 8 | d;
}

constexpr std::uint64_t tunnel = RecordingEngine::defaultTunnelLuid;
constexpr std::uint64_t lowerInterface = tunnel - 0x1000000;  // another Ethernet adapter
constexpr std::uint64_t higherInterface = 0x0047000000000000; // a wireless adapter
constexpr std::uint64_t otherInterfaces[] = {lowerInterface, higherInterface};

constexpr std::uint32_t server = ip(5, 6, 7, 8);
constexpr std::uint32_t elsewhere = ip(93, 184, 216, 34);
constexpr std::uint32_t nameServer = RecordingEngine::defaultNameServer;
constexpr std::uint32_t homeAddress = ip(172, 16, 0, 5);

Connection outbound(std::uint64_t interfaceLuid, std::uint32_t remote, std::uint16_t remotePort,
                    Protocol protocol = Protocol::Tcp, std::uint32_t local = homeAddress,
                    std::uint16_t localPort = 50000)
{
    Connection connection;
    connection.direction = Direction::Outbound;
    connection.interfaceLuid = interfaceLuid;
    connection.remoteAddress = remote;
    connection.remotePort = remotePort;
    connection.localAddress = local;
    connection.localPort = localPort;
    connection.protocol = protocol;
    return connection;
}

Connection outboundV6(std::uint64_t interfaceLuid, Protocol protocol = Protocol::Tcp)
{
    Connection connection = outbound(interfaceLuid, 0, 443, protocol);
    connection.ipv6 = true;
    return connection;
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

Filter filter(Action action, std::optional<std::uint8_t> weight, std::vector<Condition> conditions,
              Layer layer = Layer::AleAuthConnectV4)
{
    Filter result;
    result.displayName = "Tarnu";
    result.layer = layer;
    result.action = action;
    result.weight = weight;
    result.conditions = std::move(conditions);
    return result;
}

// The filters the state machine installs for the given options.
std::vector<Filter> installedFor(const std::string& list, bool killConnect, bool iPv6, bool local, bool blockDNS,
                                 bool adapter = true)
{
    auto recording = std::make_unique<RecordingEngine>();
    RecordingEngine& engine = *recording;
    if (!adapter) {
        engine.setTunnelAdapter(std::nullopt);
    }
    Firewall firewall(std::move(recording));
    firewall.enable(list, {killConnect, iPv6, local, blockDNS});
    return engine.installedFilters();
}

const char* verdictName(Verdict verdict)
{
    return verdict == Verdict::Permit ? "permit" : "block";
}

} // namespace

TEST(Evaluator, HigherWeightDecidesWhateverTheOrder)
{
    const Filter block = filter(Action::Block, 2, {});
    const Filter permit = filter(Action::Permit, 3, {cond(Field::RemotePort, Match::Equal, 443)});
    const Connection https = outbound(tunnel, elsewhere, 443);

    EXPECT_EQ(evaluate({block, permit}, https), Verdict::Permit);
    EXPECT_EQ(evaluate({permit, block}, https), Verdict::Permit);
    EXPECT_EQ(evaluate({block, permit}, outbound(tunnel, elsewhere, 80)), Verdict::Block);
}

TEST(Evaluator, EmptyWeightRanksInTheZeroBandByItsConditions)
{
    const Filter emptyPermit =
        filter(Action::Permit, std::nullopt,
               {cond(Field::RemotePort, Match::Equal, 53), cond(Field::LocalPort, Match::Equal, 50000)});
    const Connection dns = outbound(tunnel, elsewhere, 53);

    // Weight 1 beats any empty weight, however specific.
    EXPECT_EQ(evaluate({emptyPermit, filter(Action::Block, 1, {})}, dns), Verdict::Block);
    // In the 0 band the more specific filter wins, explicit 0 or empty alike.
    EXPECT_EQ(
        evaluate({filter(Action::Block, 0, {cond(Field::LocalInterface, Match::Equal, tunnel)}), emptyPermit}, dns),
        Verdict::Permit);
    EXPECT_EQ(evaluate({emptyPermit, filter(Action::Block, 0,
                                            {cond(Field::LocalInterface, Match::Equal, tunnel),
                                             cond(Field::RemotePort, Match::Equal, 53),
                                             cond(Field::LocalPort, Match::Equal, 50000)})},
                       dns),
              Verdict::Block);
}

TEST(Evaluator, TiesAreBrokenTowardsBlock)
{
    const Filter block = filter(Action::Block, 5, {cond(Field::RemotePort, Match::Equal, 443)});
    const Filter permit = filter(Action::Permit, 5, {cond(Field::RemoteAddress, Match::Equal, elsewhere)});
    const Connection https = outbound(tunnel, elsewhere, 443);

    EXPECT_EQ(evaluate({block, permit}, https), Verdict::Block);
    EXPECT_EQ(evaluate({permit, block}, https), Verdict::Block);
    const Filter emptyBlock = filter(Action::Block, std::nullopt, {});
    EXPECT_EQ(evaluate({filter(Action::Permit, 0, {}), emptyBlock}, https), Verdict::Block);
}

TEST(Evaluator, ConditionsMatchAsTheFilteringEngineCompares)
{
    const Connection c = outbound(tunnel, ip(192, 168, 7, 9), 443, Protocol::Tcp, ip(10, 0, 3, 4), 50000);
    const struct
    {
        Condition condition;
        bool matches;
    } cases[] = {
        {cond(Field::LocalInterface, Match::Equal, tunnel), true},
        {cond(Field::LocalInterface, Match::Greater, tunnel), false}, // the adapter itself is neither
        {cond(Field::LocalInterface, Match::Less, tunnel), false},
        {cond(Field::LocalInterface, Match::Greater, tunnel - 1), true},
        {cond(Field::LocalInterface, Match::Less, tunnel + 1), true},
        {cond(Field::RemoteAddress, Match::Equal, ip(192, 168, 7, 9)), true},
        {cond(Field::RemoteAddress, Match::Equal, ip(192, 168, 7, 8)), false},
        {cond(Field::RemoteAddress, Match::Range, ip(192, 168, 7, 9), ip(192, 168, 7, 9)), true}, // inclusive
        {cond(Field::RemoteAddress, Match::Range, ip(192, 168, 0, 1), ip(192, 168, 7, 8)), false},
        {cond(Field::LocalAddress, Match::Range, ip(10, 0, 0, 0), ip(10, 0, 254, 255)), true},
        {cond(Field::LocalAddress, Match::Equal, ip(10, 0, 3, 4)), true},
        {cond(Field::RemotePort, Match::Equal, 443), true},
        {cond(Field::RemotePort, Match::Range, 444, 1000), false},
        {cond(Field::LocalPort, Match::Range, 49152, 65535), true},
        {cond(Field::LocalPort, Match::Greater, 50000), false},
        {cond(Field::LocalPort, Match::Less, 50001), true},
    };
    for (const auto& c2 : cases) {
        const Verdict expected = c2.matches ? Verdict::Block : Verdict::Permit;
        EXPECT_EQ(evaluate({filter(Action::Block, 1, {c2.condition})}, c), expected)
            << "field " << static_cast<int>(c2.condition.field) << " match " << static_cast<int>(c2.condition.match)
            << " value " << c2.condition.value;
    }

    // An address compared Equal is compared under its mask.
    Condition subnet = cond(Field::RemoteAddress, Match::Equal, ip(192, 168, 7, 0));
    subnet.mask = 0xFFFFFF00u;
    EXPECT_EQ(evaluate({filter(Action::Block, 1, {subnet})}, c), Verdict::Block);
    subnet.mask = 0xFFFFFFFFu;
    EXPECT_EQ(evaluate({filter(Action::Block, 1, {subnet})}, c), Verdict::Permit);
}

TEST(Evaluator, AllFieldsMustMatchAndRepeatedFieldsAreAlternatives)
{
    const Connection c = outbound(lowerInterface, elsewhere, 443);
    const Filter both =
        filter(Action::Block, 1,
               {cond(Field::RemotePort, Match::Equal, 443), cond(Field::RemoteAddress, Match::Equal, server)});
    EXPECT_EQ(evaluate({both}, c), Verdict::Permit);

    const Filter outsideTunnel =
        filter(Action::Block, 1,
               {cond(Field::LocalInterface, Match::Greater, tunnel), cond(Field::LocalInterface, Match::Less, tunnel)});
    EXPECT_EQ(evaluate({outsideTunnel}, c), Verdict::Block);
    EXPECT_EQ(evaluate({outsideTunnel}, outbound(tunnel, elsewhere, 443)), Verdict::Permit);
}

TEST(Evaluator, FiltersActOnlyInTheLayersTheConnectionTraverses)
{
    const Filter streamBlock = filter(Action::Block, 15, {}, Layer::StreamV4);
    EXPECT_EQ(evaluate({streamBlock}, outbound(tunnel, elsewhere, 443, Protocol::Tcp)), Verdict::Block);
    EXPECT_EQ(evaluate({streamBlock}, outbound(tunnel, elsewhere, 443, Protocol::Udp)), Verdict::Permit);

    const Filter v6Block = filter(Action::Block, 15, {}, Layer::AleAuthConnectV6);
    EXPECT_EQ(evaluate({v6Block}, outbound(tunnel, elsewhere, 443)), Verdict::Permit);
    EXPECT_EQ(evaluate({v6Block}, outboundV6(tunnel)), Verdict::Block);

    // An IPv4 address never describes an IPv6 connection.
    EXPECT_EQ(evaluate({filter(Action::Block, 1, {cond(Field::RemoteAddress, Match::Range, 0, 0xFFFFFFFFu)},
                               Layer::AleAuthConnectV6)},
                       outboundV6(tunnel)),
              Verdict::Permit);

    // A layer that permits does not overrule another that blocks.
    Connection inbound = outbound(tunnel, elsewhere, 50000);
    inbound.direction = Direction::Inbound;
    inbound.localPort = 22;
    EXPECT_EQ(evaluate({filter(Action::Permit, 15, {}, Layer::AleAuthRecvAcceptV4),
                        filter(Action::Block, 0, {}, Layer::InboundTransportV4)},
                       inbound),
              Verdict::Block);
    EXPECT_EQ(evaluate({}, inbound), Verdict::Permit);
}

TEST(Evaluator, LayersOfEachKindOfConnection)
{
    Connection c = outbound(tunnel, elsewhere, 443, Protocol::Tcp);
    EXPECT_EQ(layersTraversed(c),
              (std::vector<Layer>{Layer::AleAuthConnectV4, Layer::AleConnectRedirectV4, Layer::AleFlowEstablishedV4,
                                  Layer::StreamV4, Layer::InboundTransportV4}));
    c.protocol = Protocol::Udp;
    EXPECT_EQ(layersTraversed(c), (std::vector<Layer>{Layer::AleAuthConnectV4, Layer::AleConnectRedirectV4,
                                                      Layer::AleFlowEstablishedV4, Layer::InboundTransportV4}));
    c.direction = Direction::Inbound;
    c.protocol = Protocol::Tcp;
    EXPECT_EQ(layersTraversed(c), (std::vector<Layer>{Layer::AleAuthRecvAcceptV4, Layer::InboundTransportV4,
                                                      Layer::AleFlowEstablishedV4, Layer::StreamV4}));
    c.ipv6 = true;
    EXPECT_EQ(layersTraversed(c),
              (std::vector<Layer>{Layer::AleAuthRecvAcceptV6, Layer::AleFlowEstablishedV6, Layer::StreamV6}));
    c.direction = Direction::Outbound;
    c.protocol = Protocol::Icmp;
    EXPECT_EQ(layersTraversed(c),
              (std::vector<Layer>{Layer::AleAuthConnectV6, Layer::AleConnectRedirectV6, Layer::AleFlowEstablishedV6}));
}

// The kill switch as the state machine installs it.

TEST(KillSwitch, BlockingDnsBlocksEveryIPv4Connection)
{
    const std::vector<Connection> probes = {
        outbound(tunnel, elsewhere, 443),
        outbound(tunnel, server, 1194, Protocol::Udp),
        outbound(lowerInterface, server, 1194, Protocol::Udp),
        outbound(higherInterface, ip(127, 0, 0, 1), 8080),
        outbound(lowerInterface, ip(8, 8, 8, 8), 53, Protocol::Udp),
        outbound(lowerInterface, ip(255, 255, 255, 255), 67, Protocol::Udp, 0, 68),
        outbound(higherInterface, elsewhere, 443, Protocol::Tcp, ip(10, 10, 1, 7)), // Brume range
        outbound(higherInterface, elsewhere, 443, Protocol::Tcp, ip(10, 0, 1, 7)),  // local range
        outbound(higherInterface, ip(192, 168, 1, 1), 80),                          // local network
    };
    for (bool iPv6 : {false, true}) {
        for (bool local : {false, true}) {
            const std::vector<Filter> installed = installedFor("127.0.0.1;5.6.7.8", true, iPv6, local, true);
            for (const Connection& probe : probes) {
                EXPECT_EQ(evaluate(installed, probe), Verdict::Block)
                    << "remote " << std::hex << probe.remoteAddress << " port " << std::dec << probe.remotePort
                    << " local " << std::hex << probe.localAddress << " iPv6 " << iPv6 << " local " << local;
            }
        }
    }
}

TEST(KillSwitch, BlockingDnsKeepsIPv6BlockedOutsideTheTunnel)
{
    for (bool adapter : {true, false}) {
        const std::vector<Filter> installed = installedFor("127.0.0.1", true, false, false, true, adapter);
        for (std::uint64_t luid : otherInterfaces) {
            EXPECT_EQ(evaluate(installed, outboundV6(luid)), Verdict::Block) << std::hex << luid;
            EXPECT_EQ(evaluate(installed, outboundV6(luid, Protocol::Udp)), Verdict::Block) << std::hex << luid;
        }
    }
}

TEST(KillSwitch, OutsideTheTunnelOnlyServersDhcpAndDnsPass)
{
    const std::vector<Filter> installed = installedFor("127.0.0.1;5.6.7.8", true, false, false, false);
    const struct
    {
        const char* what;
        Connection connection;
        Verdict verdict;
    } cases[] = {
        {"anything through the tunnel", outbound(tunnel, elsewhere, 443), Verdict::Permit},
        {"UDP through the tunnel", outbound(tunnel, elsewhere, 5000, Protocol::Udp), Verdict::Permit},
        {"IPv6 through the tunnel", outboundV6(tunnel), Verdict::Permit},
        {"a listed server", outbound(lowerInterface, server, 1194, Protocol::Udp), Verdict::Permit},
        {"a listed server, TCP", outbound(higherInterface, server, 443), Verdict::Permit},
        {"the loopback entry", outbound(higherInterface, ip(127, 0, 0, 1), 7505), Verdict::Permit},
        {"DNS to the system's name server", outbound(lowerInterface, nameServer, 53, Protocol::Udp), Verdict::Permit},
        {"DNS over TCP to it", outbound(higherInterface, nameServer, 53), Verdict::Permit},
        {"DNS to any other host", outbound(lowerInterface, ip(8, 8, 8, 8), 53, Protocol::Udp), Verdict::Block},
        {"DNS over TCP to another host", outbound(higherInterface, elsewhere, 53), Verdict::Block},
        {"the name server on another port", outbound(lowerInterface, nameServer, 443), Verdict::Block},
        {"DHCP", outbound(lowerInterface, ip(255, 255, 255, 255), 67, Protocol::Udp, 0, 68), Verdict::Permit},
        {"from the Brume range", outbound(lowerInterface, elsewhere, 443, Protocol::Tcp, ip(10, 10, 1, 200)),
         Verdict::Permit},
        {"another host", outbound(lowerInterface, elsewhere, 443), Verdict::Block},
        {"another host, higher LUID", outbound(higherInterface, elsewhere, 443), Verdict::Block},
        {"a neighbour of a server", outbound(lowerInterface, server + 1, 1194, Protocol::Udp), Verdict::Block},
        {"port 67 without 68", outbound(lowerInterface, elsewhere, 67, Protocol::Udp), Verdict::Block},
        {"IPv6 outside the tunnel", outboundV6(lowerInterface), Verdict::Block},
        {"IPv6 outside the tunnel, higher LUID", outboundV6(higherInterface, Protocol::Udp), Verdict::Block},
        {"a local device", outbound(lowerInterface, ip(192, 168, 1, 20), 445), Verdict::Block},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(evaluate(installed, c.connection), c.verdict) << c.what << ": " << verdictName(c.verdict);
    }
}

TEST(KillSwitch, IPv6LeakProtectionBlocksIPv6OnEveryInterface)
{
    const std::vector<Filter> installed = installedFor("127.0.0.1", true, true, false, false);
    for (std::uint64_t luid : {tunnel, lowerInterface, higherInterface}) {
        for (Protocol protocol : {Protocol::Tcp, Protocol::Udp, Protocol::Icmp}) {
            Connection connection = outboundV6(luid, protocol);
            EXPECT_EQ(evaluate(installed, connection), Verdict::Block) << std::hex << luid;
            connection.direction = Direction::Inbound;
            EXPECT_EQ(evaluate(installed, connection), Verdict::Block) << std::hex << luid;
        }
    }
    EXPECT_EQ(evaluate(installed, outbound(tunnel, elsewhere, 443)), Verdict::Permit);
}

TEST(KillSwitch, LocalDevicesPassOnlyWhenAllowed)
{
    const std::vector<Connection> localTraffic = {
        outbound(lowerInterface, ip(192, 168, 1, 20), 445),
        outbound(higherInterface, ip(192, 168, 254, 255), 80, Protocol::Udp),
        outbound(lowerInterface, ip(172, 16, 0, 1), 80, Protocol::Tcp, ip(10, 0, 0, 9)),
        outbound(higherInterface, elsewhere, 80, Protocol::Tcp, ip(10, 0, 254, 255)),
    };
    const std::vector<Filter> without = installedFor("127.0.0.1", true, false, false, false);
    const std::vector<Filter> with = installedFor("127.0.0.1", true, false, true, false);
    for (const Connection& connection : localTraffic) {
        EXPECT_EQ(evaluate(without, connection), Verdict::Block) << std::hex << connection.remoteAddress;
        EXPECT_EQ(evaluate(with, connection), Verdict::Permit) << std::hex << connection.remoteAddress;
    }
    // Just outside the ranges.
    EXPECT_EQ(evaluate(with, outbound(lowerInterface, ip(192, 168, 255, 1), 80)), Verdict::Block);
    EXPECT_EQ(evaluate(with, outbound(lowerInterface, ip(192, 168, 0, 0), 80)), Verdict::Block);
    EXPECT_EQ(evaluate(with, outbound(lowerInterface, elsewhere, 80, Protocol::Tcp, ip(10, 0, 255, 1))),
              Verdict::Block);
}

TEST(KillSwitch, WithoutTunnelAdapterOnlyThePermitsPass)
{
    const std::vector<Filter> installed = installedFor("127.0.0.1;5.6.7.8", true, false, false, false, false);
    for (std::uint64_t luid : {tunnel, lowerInterface, higherInterface}) {
        EXPECT_EQ(evaluate(installed, outbound(luid, elsewhere, 443)), Verdict::Block) << std::hex << luid;
        EXPECT_EQ(evaluate(installed, outboundV6(luid)), Verdict::Block) << std::hex << luid;
        EXPECT_EQ(evaluate(installed, outbound(luid, server, 1194, Protocol::Udp)), Verdict::Permit);
        EXPECT_EQ(evaluate(installed, outbound(luid, nameServer, 53, Protocol::Udp)), Verdict::Permit);
        EXPECT_EQ(evaluate(installed, outbound(luid, ip(1, 1, 1, 1), 53, Protocol::Udp)), Verdict::Block);
        EXPECT_EQ(evaluate(installed, outbound(luid, ip(255, 255, 255, 255), 67, Protocol::Udp, 0, 68)),
                  Verdict::Permit);
    }
}

TEST(KillSwitch, OffPermitsEverything)
{
    const std::vector<Filter> installed = installedFor("127.0.0.1", false, true, true, true);
    EXPECT_TRUE(installed.empty());
    EXPECT_EQ(evaluate(installed, outbound(lowerInterface, elsewhere, 443)), Verdict::Permit);
    EXPECT_EQ(evaluate(installed, outboundV6(lowerInterface)), Verdict::Permit);
}

TEST(KillSwitch, NoUpdateLetsABlockedConnectionThrough)
{
    auto recording = std::make_unique<RecordingEngine>();
    RecordingEngine& engine = *recording;
    Firewall firewall(std::move(recording));
    firewall.enable("127.0.0.1;5.6.7.8", {true, false, false, false});

    // Every option combination in turn, with the adapter coming and going.
    for (int round = 0; round < 64; ++round) {
        engine.setTunnelAdapter(round % 3 == 2 ? std::nullopt : std::optional<std::uint64_t>(tunnel));
        firewall.update(round % 2 ? "5.6.7.8" : "127.0.0.1;5.6.7.8",
                        {true, (round & 2) != 0, (round & 4) != 0, (round & 8) != 0});
    }

    ASSERT_GE(engine.observedStates().size(), 65u);
    for (const std::vector<Filter>& state : engine.observedStates()) {
        for (std::uint64_t luid : otherInterfaces) {
            EXPECT_EQ(evaluate(state, outbound(luid, elsewhere, 443)), Verdict::Block);
            EXPECT_EQ(evaluate(state, outboundV6(luid)), Verdict::Block);
        }
    }
}
