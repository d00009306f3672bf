#include "ServiceRig.h"

#include "pipe/ServiceCommand.h"
#include "pipe/ServiceRequest.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>

using servicepipe::FirewallOptions;
using servicepipe::ServiceCommand;
using servicepipe::ServiceReply;
using servicepipe::ServiceRequest;

namespace {

ServiceRequest firewallRequest(ServiceCommand command, const std::u16string& list, FirewallOptions options)
{
    ServiceRequest request(command);
    EXPECT_TRUE(request.setAddressList(list));
    request.setOptions(options);
    return request;
}

ServiceRequest zoneRequest(std::uint8_t restore, const std::string& name)
{
    ServiceRequest request(ServiceCommand::ChangeTimezone);
    request.setFlag(restore);
    EXPECT_TRUE(request.setZoneName(name));
    return request;
}

ServiceRequest runRequest(std::uint8_t wait, const std::u16string& line)
{
    ServiceRequest request(ServiceCommand::RunProcess);
    request.setFlag(wait);
    EXPECT_TRUE(request.setCommandLine(line));
    return request;
}

// 2,000 entries "1.2.3.4" joined by ";": 15,999 units, the longest list that fits.
std::u16string longestList()
{
    std::u16string list = u"1.2.3.4";
    while (list.size() < 15999) {
        list += u";1.2.3.4";
    }
    return list;
}

std::string narrow(const std::u16string& ascii)
{
    return std::string(ascii.begin(), ascii.end());
}

FirewallOptions killSwitch()
{
    FirewallOptions options;
    options.killConnect = 1;
    return options;
}

void expectReply(const ServiceReply& reply, int ok, int value, const std::string& what)
{
    EXPECT_EQ(reply.ok, ok) << what;
    EXPECT_EQ(reply.value, value) << what;
}

} // namespace

// The reply of every command that carries no fields, with and without the support the
// machine offers; unknown codes do nothing at all.
TEST(Dispatcher, RepliesOfTheFieldlessCommands)
{
    struct Case
    {
        std::int32_t command;
        bool firewallSupported;
        bool zoneReadable;
        int ok;
    };
    const Case cases[] = {
        {2, true, true, 1},         {2, false, false, 1},       {5, true, true, 1},     {5, false, true, 0},
        {6, true, true, 1},         {6, false, false, 1},       {7, true, true, 1},     {7, true, false, 0},
        {4, true, true, 0},         {9, true, true, 0},         {12345, true, true, 0}, {-1, true, true, 0},
        {INT32_MIN, true, true, 0}, {INT32_MAX, true, true, 0},
    };
    for (const Case& c : cases) {
        ServiceRig rig({c.firewallSupported, c.zoneReadable});
        ServiceRequest request;
        request.setCommand(c.command);
        const std::string what = "command " + std::to_string(c.command);
        expectReply(rig.dispatcher.dispatch(request), c.ok, 0, what);
        if (c.command == 4 || c.command > 8 || c.command < 0) {
            EXPECT_TRUE(rig.engine->calls().empty()) << what;
            EXPECT_TRUE(rig.runner.recorded().empty()) << what;
            EXPECT_FALSE(std::filesystem::exists(rig.settingsFile())) << what;
        }
    }
}

TEST(Dispatcher, EnableAndUpdateReplyOneAndKeepTheList)
{
    for (const bool supported : {true, false}) {
        ServiceRig rig({supported, true});
        expectReply(rig.dispatcher.dispatch(
                        firewallRequest(ServiceCommand::EnableFirewall, u"127.0.0.1;198.51.100.7", killSwitch())),
                    1, 0, "enable");
        EXPECT_EQ(rig.dispatcher.savedAddressList(), u"127.0.0.1;198.51.100.7");
        EXPECT_EQ(rig.firewall.isSessionOpen(), supported);

        expectReply(rig.dispatcher.dispatch(firewallRequest(ServiceCommand::UpdateFirewall, u"10.1.2.3", {})), 1, 0,
                    "update");
        EXPECT_EQ(rig.dispatcher.savedAddressList(), u"10.1.2.3");
        // Without the filtering functions nothing reaches the engine, but the list is
        // still the one SaveFirewallState writes.
        if (!supported) {
            EXPECT_TRUE(rig.engine->installedFilters().empty());
        }
        rig.dispatcher.dispatch(ServiceRequest(ServiceCommand::SaveFirewallState));
        EXPECT_EQ(readFile(rig.settingsFile()), "10.1.2.3");
    }
}

// Option bytes 0, 1, 2 and 4 decide the rules, read as C Booleans (any byte but 0 is
// set); byte 3 only travels along. Enable and update install what the firewall itself
// installs for the options the bytes name.
TEST(Dispatcher, FirewallOptionBytesNameTheRuleOptions)
{
    const auto bytes = [](std::uint8_t kill, std::uint8_t iPv6, std::uint8_t local, std::uint8_t zone,
                          std::uint8_t dns) {
        FirewallOptions options;
        options.killConnect = kill;
        options.iPv6LeakProtect = iPv6;
        options.allowLocalDevices = local;
        options.changeTimezone = zone;
        options.blockDNS = dns;
        return options;
    };
    const struct
    {
        const char* what;
        FirewallOptions bytes;
        firewall::RuleOptions rules;
    } cases[] = {
        {"none", bytes(0, 0, 0, 0, 0), {false, false, false, false}},
        {"kill switch", bytes(1, 0, 0, 0, 0), {true, false, false, false}},
        {"time zone only travels", bytes(1, 0, 0, 1, 0), {true, false, false, false}},
        {"IPv6 leak protection", bytes(1, 1, 0, 0, 0), {true, true, false, false}},
        {"local devices", bytes(1, 0, 1, 0, 0), {true, false, true, false}},
        {"block DNS", bytes(1, 0, 0, 0, 1), {true, false, false, true}},
        {"any byte but 0 is set", bytes(2, 0xFF, 0x80, 0, 7), {true, true, true, true}},
        {"nothing without the kill switch", bytes(0, 1, 1, 1, 1), {false, true, true, true}},
    };
    const std::string list = "127.0.0.1;198.51.100.7";
    for (const auto& c : cases) {
        for (const ServiceCommand command : {ServiceCommand::EnableFirewall, ServiceCommand::UpdateFirewall}) {
            const bool update = command == ServiceCommand::UpdateFirewall;
            ServiceRig rig;
            auto referenceEngine = std::make_unique<firewall::RecordingEngine>();
            const firewall::RecordingEngine& expected = *referenceEngine;
            firewall::Firewall reference(std::move(referenceEngine));
            if (update) {
                rig.dispatcher.dispatch(firewallRequest(ServiceCommand::EnableFirewall, u"10.1.2.3", killSwitch()));
                reference.enable("10.1.2.3", firewall::RuleOptions::plainKillSwitch());
                reference.update(list, c.rules);
            } else {
                reference.enable(list, c.rules);
            }
            rig.dispatcher.dispatch(firewallRequest(command, u"127.0.0.1;198.51.100.7", c.bytes));
            EXPECT_EQ(rig.engine->installedFilters(), expected.installedFilters())
                << c.what << (update ? " (update)" : " (enable)");
        }
    }
}

TEST(Dispatcher, DisableRemovesTheRulesAndRestoresTheZone)
{
    ServiceRig rig;
    rig.dispatcher.dispatch(firewallRequest(ServiceCommand::EnableFirewall, u"127.0.0.1", killSwitch()));
    rig.dispatcher.dispatch(zoneRequest(0, "Europe/Berlin"));
    ASSERT_EQ(rig.zone.current, "Europe/Berlin");

    expectReply(rig.dispatcher.dispatch(ServiceRequest(ServiceCommand::DisableFirewall)), 1, 0, "disable");
    EXPECT_FALSE(rig.firewall.isSessionOpen());
    EXPECT_TRUE(rig.engine->installedFilters().empty());
    EXPECT_EQ(rig.zone.current, "Etc/UTC");
}

TEST(Dispatcher, DisableWithoutSessionStillRestoresTheZone)
{
    ServiceRig rig;
    rig.dispatcher.dispatch(zoneRequest(0, "America/New_York"));
    ASSERT_EQ(rig.zone.current, "America/New_York");

    expectReply(rig.dispatcher.dispatch(ServiceRequest(ServiceCommand::DisableFirewall)), 1, 0, "disable");
    EXPECT_EQ(rig.zone.current, "Etc/UTC");
    EXPECT_TRUE(rig.engine->calls().empty()) << "no session: the firewall is left alone";
}

// The reply is the support byte, whatever the change did.
TEST(Dispatcher, ChangeTimezoneRepliesTheSupportByte)
{
    struct Case
    {
        const char* name;
        bool readable;
        std::uint8_t restore;
        const char* zoneName;
        int ok;
        const char* zoneAfter;
    };
    const Case cases[] = {
        {"known name", true, 0, "Europe/Berlin", 1, "Europe/Berlin"},
        {"unknown name", true, 0, "Mars/Olympus_Mons", 1, "Etc/UTC"},
        {"empty name", true, 0, "", 1, "Etc/UTC"},
        {"restore without change", true, 1, "", 1, "Etc/UTC"},
        {"restore ignores the name", true, 1, "Europe/Berlin", 1, "Etc/UTC"},
        {"unsupported", false, 0, "Europe/Berlin", 0, "Etc/UTC"},
        {"any flag but 0 restores", true, 2, "Europe/Berlin", 1, "Etc/UTC"},
    };
    for (const Case& c : cases) {
        ServiceRig rig({true, c.readable});
        expectReply(rig.dispatcher.dispatch(zoneRequest(c.restore, c.zoneName)), c.ok, 0, c.name);
        EXPECT_EQ(rig.zone.current, c.zoneAfter) << c.name;
        EXPECT_TRUE(rig.engine->calls().empty()) << c.name;
    }
}

TEST(Dispatcher, ChangeTimezoneRestoreAfterChange)
{
    ServiceRig rig;
    rig.dispatcher.dispatch(zoneRequest(0, "Europe/Berlin"));
    expectReply(rig.dispatcher.dispatch(zoneRequest(1, "")), 1, 0, "restore");
    EXPECT_EQ(rig.zone.current, "Etc/UTC");
    const int applies = rig.zone.applies;
    rig.dispatcher.dispatch(zoneRequest(1, ""));
    EXPECT_EQ(rig.zone.applies, applies) << "a second restore has nothing to do";
}

TEST(Dispatcher, RunProcessReplies)
{
    const std::u16string line = u"C:\\Program Files\\Quarnel\\openvpn\\openvpn.exe --config \"C:\\Temp\\\u00e9.ovpn\"";
    struct Case
    {
        const char* name;
        std::uint8_t wait;
        service::RunResult result;
        int ok;
        int value;
    };
    const Case cases[] = {
        {"waited, exit code 3", 1, {true, 3}, 1, 3},
        {"waited, negative exit code", 1, {true, -1073741510}, 1, -1073741510},
        {"not waited: no exit code", 0, {true, 77}, 1, 0},
        {"not started", 1, {false, 5}, 0, 0},
        {"not started, not waited", 0, {false, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        ServiceRig rig;
        rig.runner.result = c.result;
        expectReply(rig.dispatcher.dispatch(runRequest(c.wait, line)), c.ok, c.value, c.name);
        const auto runs = rig.runner.recorded();
        ASSERT_EQ(runs.size(), 1u) << c.name;
        EXPECT_EQ(runs[0].commandLine, line) << c.name;
        EXPECT_EQ(runs[0].wait, c.wait != 0) << c.name;
    }
}

TEST(Dispatcher, SaveBeforeAnyFirewallRequestWritesAnEmptyList)
{
    ServiceRig rig;
    expectReply(rig.dispatcher.dispatch(ServiceRequest(ServiceCommand::SaveFirewallState)), 1, 0, "save");
    ASSERT_TRUE(std::filesystem::exists(rig.settingsFile()));
    EXPECT_EQ(std::filesystem::file_size(rig.settingsFile()), 0u);
}

// Lists are ASCII on disk, one byte per unit, and never longer than the list buffer.
TEST(Dispatcher, SavedListForms)
{
    struct Case
    {
        const char* name;
        std::u16string list;
        std::string saved;
    };
    const Case cases[] = {
        {"plain", u"127.0.0.1;198.51.100.7", "127.0.0.1;198.51.100.7"},
        {"empty", u"", ""},
        {"non-ASCII unit", u"127.0.0.1;1\u00e9.2", "127.0.0.1;1?.2"},
        {"longest", longestList(), narrow(longestList())},
    };
    for (const Case& c : cases) {
        ServiceRig rig;
        // killConnect 0: the list is kept without rules being built from it.
        rig.dispatcher.dispatch(firewallRequest(ServiceCommand::EnableFirewall, c.list, {}));
        rig.dispatcher.dispatch(ServiceRequest(ServiceCommand::SaveFirewallState));
        EXPECT_EQ(readFile(rig.settingsFile()), c.saved) << c.name;
    }

    // A list field with no terminator: what fits the buffer with its terminator is kept.
    std::vector<std::uint8_t> bytes(servicepipe::requestSize, 0);
    bytes[0] = 1;
    const std::string entry = "1.2.3.4;";
    for (std::size_t i = servicepipe::addressListOffset, k = 0; i < servicepipe::optionsOffset; i += 2, ++k) {
        bytes[i] = static_cast<std::uint8_t>(entry[k % entry.size()]);
    }
    ServiceRig rig;
    rig.dispatcher.dispatch(ServiceRequest::fromBytes(bytes.data(), bytes.size()));
    rig.dispatcher.dispatch(ServiceRequest(ServiceCommand::SaveFirewallState));
    EXPECT_EQ(readFile(rig.settingsFile()), narrow(longestList()));
}

TEST(Dispatcher, SavedStateBringsTheKillSwitchBackOnce)
{
    ServiceRig rig;
    std::filesystem::create_directories(rig.settingsFile().parent_path());
    writeFile(rig.settingsFile(), "127.0.0.1;198.51.100.7");

    rig.dispatcher.restoreSavedState();
    EXPECT_FALSE(std::filesystem::exists(rig.settingsFile()));
    EXPECT_TRUE(rig.firewall.isSessionOpen());
    EXPECT_EQ(rig.dispatcher.savedAddressList(), u"127.0.0.1;198.51.100.7");

    // killConnect 1 and the other options 0: the same rules as that request.
    ServiceRig reference;
    reference.dispatcher.dispatch(
        firewallRequest(ServiceCommand::EnableFirewall, u"127.0.0.1;198.51.100.7", killSwitch()));
    EXPECT_EQ(rig.engine->installedFilters(), reference.engine->installedFilters());

    ServiceRig again;
    again.dispatcher.restoreSavedState();
    EXPECT_FALSE(again.firewall.isSessionOpen()) << "no file, no firewall";
    EXPECT_TRUE(again.engine->calls().empty());
}
