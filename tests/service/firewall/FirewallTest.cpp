#include "firewall/Firewall.h"

#include "RecordingEngine.h"
#include "firewall/RulePlan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace firewall;

namespace {

constexpr std::uint32_t localhost = 0x7F000001u;
const std::vector<std::uint32_t> nameServers{RecordingEngine::defaultNameServer};

std::vector<Filter> concat(std::initializer_list<std::vector<Filter>> sets)
{
    std::vector<Filter> all;
    for (const auto& set : sets) {
        all.insert(all.end(), set.begin(), set.end());
    }
    return all;
}

std::vector<std::uint64_t> serverPermitAddresses(const std::vector<Filter>& filters)
{
    std::vector<std::uint64_t> addresses;
    for (const Filter& filter : filters) {
        if (filter.weight != std::optional<std::uint8_t>(1)) {
            continue; // the name servers' DNS permits name addresses too
        }
        for (const Condition& condition : filter.conditions) {
            if (condition.field == Field::RemoteAddress && condition.match == Match::Equal) {
                addresses.push_back(condition.value);
            }
        }
    }
    return addresses;
}

std::string listOf(int count)
{
    std::string list = "127.0.0.1";
    for (int i = 1; i < count; ++i) {
        list += ";10.1." + std::to_string(i / 256) + "." + std::to_string(i % 256);
    }
    return count == 0 ? std::string() : list;
}

// Lends a recording engine that outlives the firewall.
class BorrowedEngine : public Engine
{
public:
    explicit BorrowedEngine(Engine& target) : target(target) {}

    bool isSupported() const override { return target.isSupported(); }
    bool openSession(SessionHandle& session) override { return target.openSession(session); }
    void closeSession(SessionHandle session) override { target.closeSession(session); }
    bool beginTransaction(SessionHandle session) override { return target.beginTransaction(session); }
    bool commitTransaction(SessionHandle session) override { return target.commitTransaction(session); }
    void abortTransaction(SessionHandle session) override { target.abortTransaction(session); }
    bool createGuid(Guid& guid) override { return target.createGuid(guid); }
    bool addSublayer(SessionHandle session, const Guid& key) override { return target.addSublayer(session, key); }
    bool deleteSublayer(SessionHandle session, const Guid& key) override { return target.deleteSublayer(session, key); }
    bool addFilter(SessionHandle session, const Guid& sublayer, const Filter& filter, FilterId& id) override
    {
        return target.addFilter(session, sublayer, filter, id);
    }
    bool deleteFilter(SessionHandle session, FilterId id) override { return target.deleteFilter(session, id); }
    std::optional<std::uint64_t> findTunnelAdapter() override { return target.findTunnelAdapter(); }
    std::vector<std::uint32_t> systemNameServers() override { return target.systemNameServers(); }

private:
    Engine& target;
};

class FirewallTest : public ::testing::Test
{
protected:
    void SetUp() override { make(true); }

    void make(bool supported)
    {
        auto recording = std::make_unique<RecordingEngine>(supported);
        engine = recording.get();
        firewall = std::make_unique<Firewall>(std::move(recording));
    }

    // The calls of the last operation, addFilter and deleteFilter runs folded into counts,
    // e.g. "beginTransaction addFilter*10 deleteFilter*3 commitTransaction".
    std::string callSummary() const
    {
        std::string summary;
        const std::vector<Primitive> list = engine->primitives();
        for (std::size_t i = 0; i < list.size();) {
            std::size_t j = i;
            while (j < list.size() && list[j] == list[i]) {
                ++j;
            }
            summary += summary.empty() ? "" : " ";
            summary += primitiveName(list[i]);
            if (j - i > 1) {
                summary += "*" + std::to_string(j - i);
            }
            i = j;
        }
        return summary;
    }

    RecordingEngine* engine = nullptr;
    std::unique_ptr<Firewall> firewall;
};

} // namespace

TEST_F(FirewallTest, KillSwitchOffGivesASessionWithAnEmptySublayer)
{
    firewall->enable("127.0.0.1", {false, true, true, true});

    EXPECT_TRUE(firewall->isSessionOpen());
    EXPECT_EQ(callSummary(), "openSession beginTransaction createGuid addSublayer commitTransaction");
    EXPECT_EQ(engine->sublayers().size(), 1u);
    EXPECT_TRUE(engine->installedFilters().empty());
}

TEST_F(FirewallTest, EnableInstallsTheSetsInOrderInOneTransaction)
{
    firewall->enable("127.0.0.1;5.6.7.8", {true, true, true, false});

    EXPECT_EQ(callSummary(), "openSession beginTransaction createGuid addSublayer findTunnelAdapter systemNameServers addFilter*21 "
                             "commitTransaction");
    const std::vector<Filter> expected =
        concat({tunnelRules({localhost, 0x05060708u}, RecordingEngine::defaultTunnelLuid, nameServers),
                {brumeRangePermit()},
                ipv6BlockSet(),
                localNetworkPermits()});
    EXPECT_EQ(engine->installedFilters(), expected);
    EXPECT_EQ(firewall->tunnelList().size(), 13u);
    EXPECT_EQ(firewall->iPv6List().size(), 5u);
    EXPECT_EQ(firewall->permitList().size(), 3u);
    EXPECT_TRUE(firewall->transitionList().empty());
    // The whole enable became visible at once.
    ASSERT_EQ(engine->observedStates().size(), 1u);
    // Every filter went into the sublayer made for this session.
    const Guid sublayer = engine->calls()[2].guid;
    for (const Call& call : engine->calls()) {
        if (call.primitive == Primitive::AddFilter) {
            EXPECT_TRUE(call.guid == sublayer);
        }
    }
}

TEST_F(FirewallTest, OptionsSelectTheSets)
{
    const struct
    {
        bool iPv6;
        bool local;
        bool blockDNS;
        std::vector<Filter> expected;
    } cases[] = {
        {false, false, false,
         concat({tunnelRules({localhost}, RecordingEngine::defaultTunnelLuid, nameServers), {brumeRangePermit()}})},
        {true, false, false,
         concat({tunnelRules({localhost}, RecordingEngine::defaultTunnelLuid, nameServers), {brumeRangePermit()}, ipv6BlockSet()})},
        {false, true, false,
         concat({tunnelRules({localhost}, RecordingEngine::defaultTunnelLuid, nameServers),
                 {brumeRangePermit()},
                 localNetworkPermits()})},
        // Blocking DNS replaces the tunnel rules by the IPv4 block-all set; IPv6 stays
        // blocked outside the tunnel.
        {false, false, true,
         concat(
             {ipv4BlockAllSet(), ipv6OutsideTunnelBlocks(RecordingEngine::defaultTunnelLuid), {brumeRangePermit()}})},
        {true, true, true,
         concat({ipv4BlockAllSet(),
                 ipv6OutsideTunnelBlocks(RecordingEngine::defaultTunnelLuid),
                 {brumeRangePermit()},
                 ipv6BlockSet(),
                 localNetworkPermits()})},
    };
    for (const auto& c : cases) {
        make(true);
        firewall->enable("127.0.0.1", {true, c.iPv6, c.local, c.blockDNS});
        EXPECT_EQ(engine->installedFilters(), c.expected) << c.iPv6 << c.local << c.blockDNS;
    }
}

TEST_F(FirewallTest, EveryListedAddressGetsTwoServerPermits)
{
    for (int count : {0, 1, 3, 200}) {
        make(true);
        firewall->enable(listOf(count), {true, false, false, false});
        const std::vector<std::uint64_t> permitted = serverPermitAddresses(engine->installedFilters());
        EXPECT_EQ(permitted.size(), 2u * count);
        if (count > 0) {
            EXPECT_EQ(std::count(permitted.begin(), permitted.end(), localhost), 2);
        }
    }
}

TEST_F(FirewallTest, EntriesThatAreNotAddressesAreSkippedAndNamed)
{
    ::testing::internal::CaptureStdout();
    firewall->enable("127.0.0.1;vpn.example;1.2.3;300.1.1.1", {true, false, false, false});
    const std::string output = ::testing::internal::GetCapturedStdout();

    EXPECT_EQ(serverPermitAddresses(engine->installedFilters()), (std::vector<std::uint64_t>{localhost, localhost}));
    const std::size_t skipped = output.find("address entries skipped");
    ASSERT_NE(skipped, std::string::npos) << output;
    EXPECT_EQ(output.find("address entries skipped", skipped + 1), std::string::npos) << "one line: " << output;
    for (const char* name : {"\"vpn.example\"", "\"1.2.3\"", "\"300.1.1.1\""}) {
        EXPECT_NE(output.find(name), std::string::npos) << output;
    }
}

TEST_F(FirewallTest, EnableWhileOpenChangesNothing)
{
    firewall->enable("127.0.0.1", {true, false, false, false});
    const std::vector<Filter> before = engine->installedFilters();
    engine->clearCalls();

    firewall->enable("127.0.0.1;5.6.7.8", {true, true, true, true});
    firewall->enable("", {false, false, false, false});

    EXPECT_TRUE(engine->calls().empty());
    EXPECT_EQ(engine->installedFilters(), before);
}

TEST_F(FirewallTest, UpdateHoldsBlockSetsWhileItReplacesTheRulesInOneTransaction)
{
    firewall->enable("127.0.0.1", {true, true, true, false});
    std::vector<FilterId> oldIds = firewall->tunnelList();
    oldIds.insert(oldIds.end(), firewall->iPv6List().begin(), firewall->iPv6List().end());
    oldIds.insert(oldIds.end(), firewall->permitList().begin(), firewall->permitList().end());
    const std::size_t statesBefore = engine->observedStates().size();
    engine->clearCalls();

    firewall->update("127.0.0.1;5.6.7.8", {true, false, true, false});

    // Transition sets first, then the old rules go, the new ones come, the transition
    // sets go, and only the commit makes it visible.
    EXPECT_EQ(callSummary(), "beginTransaction addFilter*10 deleteFilter*19 findTunnelAdapter systemNameServers addFilter*16 "
                             "deleteFilter*10 commitTransaction");
    const std::vector<Call>& calls = engine->calls();
    std::vector<Filter> transition;
    std::vector<FilterId> transitionIds;
    for (std::size_t i = 1; i <= 10; ++i) {
        transition.push_back(calls[i].filter);
        transitionIds.push_back(calls[i].id);
    }
    EXPECT_EQ(transition, concat({ipv4BlockAllSet(), ipv6BlockSet()}));
    std::vector<FilterId> deletedOld;
    for (std::size_t i = 11; i < 30; ++i) {
        deletedOld.push_back(calls[i].id);
    }
    EXPECT_EQ(deletedOld, oldIds); // tunnel, IPv6, permit lists, each in insertion order
    std::vector<FilterId> deletedTransition;
    for (std::size_t i = 48; i < 58; ++i) {
        deletedTransition.push_back(calls[i].id);
    }
    EXPECT_EQ(deletedTransition, transitionIds);

    EXPECT_EQ(engine->observedStates().size(), statesBefore + 1);
    EXPECT_EQ(engine->installedFilters(),
              concat({tunnelRules({localhost, 0x05060708u}, RecordingEngine::defaultTunnelLuid, nameServers),
                      {brumeRangePermit()},
                      localNetworkPermits()}));
    EXPECT_TRUE(firewall->transitionList().empty());
    EXPECT_TRUE(firewall->iPv6List().empty());
}

TEST_F(FirewallTest, UpdateWithKillSwitchOffRemovesTheRulesButKeepsTheSession)
{
    firewall->enable("127.0.0.1", {true, true, true, false});
    firewall->update("127.0.0.1", {false, true, true, true});

    EXPECT_TRUE(firewall->isSessionOpen());
    EXPECT_TRUE(engine->anySessionOpen());
    EXPECT_EQ(engine->sublayers().size(), 1u);
    EXPECT_TRUE(engine->installedFilters().empty());
    EXPECT_TRUE(firewall->tunnelList().empty());
    EXPECT_TRUE(firewall->permitList().empty());
}

TEST_F(FirewallTest, UpdateWithoutSessionEnablesThePlainKillSwitchThenAppliesTheRequest)
{
    firewall->update("127.0.0.1", {false, true, true, true});

    // The plain kill switch is committed first, then replaced: the request's options
    // (kill switch off here) are what stays.
    EXPECT_TRUE(firewall->isSessionOpen());
    EXPECT_TRUE(engine->installedFilters().empty());
    const std::vector<Primitive> calls = engine->primitives();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), Primitive::CommitTransaction), 2);

    make(true);
    firewall->update("127.0.0.1", {true, false, false, false});
    EXPECT_EQ(engine->installedFilters(),
              concat({tunnelRules({localhost}, RecordingEngine::defaultTunnelLuid, nameServers), {brumeRangePermit()}}));
}

TEST_F(FirewallTest, UpdateWhoseTransactionCannotBeginChangesNothing)
{
    firewall->enable("127.0.0.1", {true, false, false, false});
    const std::vector<Filter> before = engine->installedFilters();
    engine->clearCalls();
    engine->failNth(Primitive::BeginTransaction, 1);

    firewall->update("5.6.7.8", {true, true, true, true});

    EXPECT_EQ(callSummary(), "beginTransaction");
    EXPECT_EQ(engine->installedFilters(), before);
    EXPECT_TRUE(firewall->isSessionOpen());
}

TEST_F(FirewallTest, DisableRemovesEveryListThenTheSublayerThenClosesTheSession)
{
    firewall->enable("127.0.0.1", {true, true, true, false});
    std::vector<FilterId> expectedOrder = firewall->tunnelList();
    expectedOrder.insert(expectedOrder.end(), firewall->iPv6List().begin(), firewall->iPv6List().end());
    expectedOrder.insert(expectedOrder.end(), firewall->permitList().begin(), firewall->permitList().end());
    const Guid sublayer = engine->sublayers().front();
    engine->clearCalls();

    firewall->disable();

    EXPECT_EQ(callSummary(), "deleteFilter*19 deleteSublayer closeSession");
    std::vector<FilterId> deleted;
    for (const Call& call : engine->calls()) {
        if (call.primitive == Primitive::DeleteFilter) {
            deleted.push_back(call.id);
        }
        EXPECT_TRUE(call.succeeded) << primitiveName(call.primitive);
    }
    EXPECT_EQ(deleted, expectedOrder);
    EXPECT_TRUE(engine->calls()[19].guid == sublayer);
    EXPECT_FALSE(firewall->isSessionOpen());
    EXPECT_FALSE(engine->anySessionOpen());
    EXPECT_TRUE(engine->installedFilters().empty());
    EXPECT_TRUE(engine->sublayers().empty());

    // A new enable makes a fresh sublayer.
    firewall->enable("127.0.0.1", {true, false, false, false});
    ASSERT_EQ(engine->sublayers().size(), 1u);
    EXPECT_FALSE(engine->sublayers().front() == sublayer);
}

TEST(FirewallLifetime, DestructionRemovesEverything)
{
    RecordingEngine recording;
    {
        Firewall firewall(std::make_unique<BorrowedEngine>(recording));
        firewall.enable("127.0.0.1", {true, true, true, false});
        ASSERT_FALSE(recording.installedFilters().empty());
    }
    EXPECT_FALSE(recording.anySessionOpen());
    EXPECT_TRUE(recording.installedFilters().empty());
    EXPECT_TRUE(recording.sublayers().empty());
}

TEST_F(FirewallTest, UnsupportedEngineIsNeverCalled)
{
    make(false);

    firewall->enable("127.0.0.1", {true, true, true, true});
    firewall->update("127.0.0.1", {true, true, true, true});
    firewall->disable();

    EXPECT_FALSE(firewall->isSupported());
    EXPECT_FALSE(firewall->isSessionOpen());
    EXPECT_TRUE(engine->calls().empty());
}

TEST_F(FirewallTest, WithoutTunnelAdapterTheKillSwitchStillBlocks)
{
    engine->setTunnelAdapter(std::nullopt);
    ::testing::internal::CaptureStdout();
    firewall->enable("127.0.0.1", {true, true, false, false});
    const std::string output = ::testing::internal::GetCapturedStdout();

    EXPECT_TRUE(firewall->isSessionOpen());
    EXPECT_EQ(engine->installedFilters(),
              concat({tunnelRules({localhost}, std::nullopt, nameServers), {brumeRangePermit()}, ipv6BlockSet()}));
    EXPECT_NE(output.find("no tunnel adapter"), std::string::npos);

    // An update while the adapter is missing keeps the session and the rules.
    firewall->update("127.0.0.1;5.6.7.8", {true, false, false, false});
    EXPECT_TRUE(firewall->isSessionOpen());
    EXPECT_EQ(engine->installedFilters(),
              concat({tunnelRules({localhost, 0x05060708u}, std::nullopt, nameServers), {brumeRangePermit()}}));

    // Once the adapter is there, the next update confines the blocks to the other interfaces.
    engine->setTunnelAdapter(RecordingEngine::defaultTunnelLuid);
    firewall->update("127.0.0.1", {true, false, false, false});
    EXPECT_EQ(engine->installedFilters(),
              concat({tunnelRules({localhost}, RecordingEngine::defaultTunnelLuid, nameServers), {brumeRangePermit()}}));
}

TEST_F(FirewallTest, DnsLeavesOutsideTheTunnelOnlyForTheNameServersOfTheMoment)
{
    const std::vector<std::uint32_t> two{0x0A000035u, 0xC6336435u};
    engine->setNameServers(two);
    ::testing::internal::CaptureStdout();
    firewall->enable("127.0.0.1", {true, false, false, false});
    EXPECT_NE(::testing::internal::GetCapturedStdout().find(
                  "DNS outside the tunnel only to the system's name servers 10.0.0.53, 198.51.100.53"),
              std::string::npos);
    EXPECT_EQ(engine->installedFilters(),
              concat({tunnelRules({localhost}, RecordingEngine::defaultTunnelLuid, two), {brumeRangePermit()}}));

    // Read again at every update: a system that lost its resolvers lets no DNS out.
    engine->setNameServers({});
    ::testing::internal::CaptureStdout();
    firewall->update("127.0.0.1", {true, false, false, false});
    EXPECT_NE(::testing::internal::GetCapturedStdout().find("no name server configured"), std::string::npos);
    EXPECT_EQ(engine->installedFilters(),
              concat({tunnelRules({localhost}, RecordingEngine::defaultTunnelLuid, {}), {brumeRangePermit()}}));
}

TEST_F(FirewallTest, EnableThatCannotOpenASessionLeavesNone)
{
    engine->setFailing(Primitive::OpenSession);
    firewall->enable("127.0.0.1", {true, false, false, false});

    EXPECT_FALSE(firewall->isSessionOpen());
    EXPECT_EQ(callSummary(), "openSession");
}

TEST_F(FirewallTest, EnableFailingBeforeTheSublayerExistsClosesTheSession)
{
    const struct
    {
        Primitive failing;
        const char* calls;
    } cases[] = {
        {Primitive::BeginTransaction, "openSession beginTransaction closeSession"},
        {Primitive::CreateGuid, "openSession beginTransaction createGuid abortTransaction closeSession"},
        {Primitive::AddSublayer, "openSession beginTransaction createGuid addSublayer abortTransaction closeSession"},
    };
    for (const auto& c : cases) {
        make(true);
        engine->setFailing(c.failing);
        firewall->enable("127.0.0.1", {true, true, true, false});

        EXPECT_EQ(callSummary(), c.calls);
        EXPECT_FALSE(firewall->isSessionOpen());
        EXPECT_FALSE(engine->anySessionOpen());
        EXPECT_FALSE(engine->inTransaction());
        EXPECT_TRUE(engine->sublayers().empty());

        // The next request starts afresh.
        engine->setFailing(c.failing, false);
        firewall->update("127.0.0.1", {true, false, false, false});
        EXPECT_TRUE(firewall->isSessionOpen());
        EXPECT_EQ(engine->installedFilters().size(), 12u) << primitiveName(c.failing);
    }
}

TEST_F(FirewallTest, FiltersThatCannotBeAddedAreLeftOutOfTheLists)
{
    engine->failNth(Primitive::AddFilter, 2);
    firewall->enable("127.0.0.1", {true, false, false, false});

    const std::vector<FilterId> installed = engine->installedIds();
    ASSERT_EQ(installed.size(), 11u);
    EXPECT_EQ(firewall->tunnelList(), std::vector<FilterId>(installed.begin(), installed.begin() + 10));
    firewall->disable();
    EXPECT_TRUE(engine->installedFilters().empty());
    EXPECT_TRUE(engine->sublayers().empty());
}

TEST_F(FirewallTest, EnableWhoseCommitFailsLeavesNoSessionBehind)
{
    engine->failNth(Primitive::CommitTransaction, 1);
    firewall->enable("127.0.0.1", {true, true, false, false});

    EXPECT_FALSE(firewall->isSessionOpen());
    EXPECT_FALSE(engine->anySessionOpen());
    EXPECT_TRUE(firewall->tunnelList().empty());
    EXPECT_TRUE(firewall->iPv6List().empty());
    EXPECT_TRUE(firewall->permitList().empty());

    firewall->update("127.0.0.1", {true, false, false, false});
    EXPECT_TRUE(firewall->isSessionOpen());
    EXPECT_EQ(engine->installedFilters().size(), 12u);
}

TEST_F(FirewallTest, UpdateWhoseCommitFailsKeepsTrackOfTheRulesInForce)
{
    firewall->enable("127.0.0.1", {true, true, true, false});
    const std::vector<Filter> before = engine->installedFilters();
    const std::vector<FilterId> tunnelBefore = firewall->tunnelList();
    engine->failNth(Primitive::CommitTransaction, 1);

    firewall->update("5.6.7.8", {true, false, false, true});

    EXPECT_EQ(engine->installedFilters(), before);
    EXPECT_EQ(firewall->tunnelList(), tunnelBefore);
    EXPECT_TRUE(firewall->transitionList().empty());

    firewall->disable();
    EXPECT_TRUE(engine->installedFilters().empty());
    EXPECT_TRUE(engine->sublayers().empty());
}
