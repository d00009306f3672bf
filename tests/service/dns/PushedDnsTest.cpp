// What a VPN server's pushed options become: only plain addresses and domain names reach
// the resolver file or resolvectl's arguments.

#include "dns/PushedDns.h"

#include <gtest/gtest.h>

using dns::PushedDns;

namespace {

struct PushCase
{
    const char* name;
    std::map<std::string, std::string> environment;
    std::vector<std::string> servers;
    std::vector<std::string> domains;
    std::size_t notes;
};

class PushedOptions : public ::testing::TestWithParam<PushCase>
{
};

TEST_P(PushedOptions, KeepOnlyWhatIsPlainlyAnAddressOrADomain)
{
    const PushCase& c = GetParam();
    const PushedDns pushed = PushedDns::fromEnvironment(c.environment);
    EXPECT_EQ(pushed.servers, c.servers);
    EXPECT_EQ(pushed.domains, c.domains);
    EXPECT_EQ(pushed.notes.size(), c.notes);
}

std::map<std::string, std::string> options(std::initializer_list<std::string> values)
{
    std::map<std::string, std::string> environment{{"dev", "tun0"}, {"script_type", "up"}};
    int n = 0;
    for (const std::string& value : values) {
        environment["foreign_option_" + std::to_string(++n)] = value;
    }
    return environment;
}

const PushCase pushCases[] = {
    {"Nothing", options({}), {}, {}, 0},
    {"ServersAndDomains",
     options({"dhcp-option DNS 10.8.0.1", "dhcp-option DOMAIN corp.example", "dhcp-option DNS 10.8.0.2",
              "dhcp-option DOMAIN-SEARCH Lab.Example."}),
     {"10.8.0.1", "10.8.0.2"},
     {"corp.example", "lab.example"},
     0},
    {"Ipv6ServersInCanonicalForm",
     options({"dhcp-option DNS6 FD00:0:0::0001", "dhcp-option DNS 2001:db8::53"}),
     {"fd00::1", "2001:db8::53"},
     {},
     0},
    {"RepeatsKeptOnce", options({"dhcp-option DNS 10.8.0.1", "dhcp-option DNS 10.8.0.1"}), {"10.8.0.1"}, {}, 0},
    {"OtherOptionsIgnored",
     options({"dhcp-option WINS 10.8.0.9", "dhcp-option NTP 10.8.0.8", "route 10.0.0.0 255.0.0.0",
              "dhcp-option DNS 10.8.0.1"}),
     {"10.8.0.1"},
     {},
     0},
    // OpenVPN numbers from 1 without gaps: what follows a gap is not one of its options.
    {"StopsAtTheFirstGap",
     {{"foreign_option_1", "dhcp-option DNS 10.8.0.1"}, {"foreign_option_3", "dhcp-option DNS 10.8.0.3"}},
     {"10.8.0.1"},
     {},
     0},
    {"HostileValuesDropped",
     options({"dhcp-option DNS 10.8.0.1\nnameserver 6.6.6.6", "dhcp-option DNS 10.8.0.1;reboot",
              "dhcp-option DNS 010.8.0.1x", "dhcp-option DNS 10.8", "dhcp-option DNS fe80::1%tun0",
              "dhcp-option DNS6 10.8.0.1", "dhcp-option DOMAIN corp.example\noptions ndots:15",
              "dhcp-option DOMAIN -corp.example", "dhcp-option DOMAIN corp..example", "dhcp-option DOMAIN a_b.example",
              "dhcp-option DOMAIN ~.", "dhcp-option DNS", "dhcp-option DNS 10.8.0.5 10.8.0.6",
              "dhcp-option DOMAIN " + std::string(64, 'a') + ".example"}),
     {},
     {},
     14},
    {"AtMostEightServers",
     options({"dhcp-option DNS 10.0.0.1", "dhcp-option DNS 10.0.0.2", "dhcp-option DNS 10.0.0.3",
              "dhcp-option DNS 10.0.0.4", "dhcp-option DNS 10.0.0.5", "dhcp-option DNS 10.0.0.6",
              "dhcp-option DNS 10.0.0.7", "dhcp-option DNS 10.0.0.8", "dhcp-option DNS 10.0.0.9"}),
     {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5", "10.0.0.6", "10.0.0.7", "10.0.0.8"},
     {},
     0},
};

INSTANTIATE_TEST_SUITE_P(Push, PushedOptions, ::testing::ValuesIn(pushCases),
                         [](const ::testing::TestParamInfo<PushCase>& info) { return std::string(info.param.name); });

TEST(PushedDnsText, ResolverFileListsTheFirstThreeServersAndTheDomains)
{
    PushedDns pushed;
    pushed.servers = {"10.8.0.1", "fd00::1", "10.8.0.2", "10.8.0.3"};
    pushed.domains = {"corp.example", "lab.example"};
    const std::string text = pushed.resolvConfText();
    EXPECT_NE(text.find("\nnameserver 10.8.0.1\nnameserver fd00::1\nnameserver 10.8.0.2\nsearch corp.example "
                        "lab.example\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("10.8.0.3"), std::string::npos);
}

TEST(PushedDnsText, ResolvectlRoutesEveryNameToTheTunnelBeforeNamingItsServers)
{
    PushedDns pushed;
    pushed.servers = {"10.8.0.1", "fd00::1"};
    const std::vector<std::vector<std::string>> plain{
        {"domain", "tun0", "~."}, {"default-route", "tun0", "yes"}, {"dns", "tun0", "10.8.0.1", "fd00::1"}};
    EXPECT_EQ(pushed.resolvectlCalls("tun0"), plain);
    pushed.domains = {"corp.example"};
    EXPECT_EQ(pushed.resolvectlCalls("tun3").front(),
              (std::vector<std::string>{"domain", "tun3", "~.", "corp.example"}));
}

TEST(DeviceNames, OnlyNamesADeviceCanHaveAndNoOption)
{
    for (const char* name : {"tun0", "tap1", "vpn_corp", "tun-a.b", "abcdefghijklmno"}) {
        EXPECT_TRUE(dns::isDeviceName(name)) << name;
    }
    for (const char* name : {"", ".", "..", "-tun0", "--help", "tun 0", "tun/0", "abcdefghijklmnop", "tun0\n", "tün"}) {
        EXPECT_FALSE(dns::isDeviceName(name)) << name;
    }
}

} // namespace
