#include "ServicectlOptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using servicectl::ServicectlOptions;
using servicepipe::ServiceCommand;
using servicepipe::ServiceRequest;

namespace {

std::string joined(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments) {
        text += (text.empty() ? "" : " ") + argument.substr(0, 40);
    }
    return text;
}

struct Accepted
{
    std::vector<std::string> arguments;
    std::string socket;
    int timeoutMs;
    std::function<void(ServiceRequest&)> expected;
};

struct Refused
{
    std::vector<std::string> arguments;
    std::string error;
};

} // namespace

TEST(ServicectlOptions, BuildsTheRequestTheArgumentsName)
{
    servicepipe::FirewallOptions firewall;
    firewall.killConnect = 1;
    firewall.iPv6LeakProtect = 0;
    firewall.allowLocalDevices = 1;
    firewall.changeTimezone = 0;
    firewall.blockDNS = 255;
    const Accepted cases[] = {
        {{"QueryFirewallSupport"},
         "",
         -1,
         [](ServiceRequest& r) { r.setCommand(ServiceCommand::QueryFirewallSupport); }},
        {{"--socket", "/tmp/s", "--timeout", "250", "7"}, "/tmp/s", 250, [](ServiceRequest& r) { r.setCommand(7); }},
        {{"--timeout", "0", "-1"}, "", 0, [](ServiceRequest& r) { r.setCommand(-1); }},
        {{"-2147483648"}, "", -1, [](ServiceRequest& r) { r.setCommand(INT32_MIN); }},
        {{"2147483647"}, "", -1, [](ServiceRequest& r) { r.setCommand(INT32_MAX); }},
        {{"RunProcess", "--flag", "1", "--text", "C:\\p\\openvpn.exe --config \"x\" \xc3\xa9 \xf0\x9f\x98\x80"},
         "",
         -1,
         [](ServiceRequest& r) {
             r.setCommand(ServiceCommand::RunProcess);
             r.setFlag(1);
             r.setCommandLine(u"C:\\p\\openvpn.exe --config \"x\" \u00e9 \U0001F600");
         }},
        // Any command but RunProcess carries its text as UTF-8, unchecked.
        {{"ChangeTimezone", "--text", "Europe/Berlin", "--flag", "0"},
         "",
         -1,
         [](ServiceRequest& r) {
             r.setCommand(ServiceCommand::ChangeTimezone);
             r.setFlag(0);
             r.setZoneName("Europe/Berlin");
         }},
        {{"99", "--text", "\xff"},
         "",
         -1,
         [](ServiceRequest& r) {
             r.setCommand(99);
             r.setZoneName("\xff");
         }},
        {{"--list", "10.0.0.1;\xc3\xa9", "EnableFirewall", "--options", "1,0,1,0,255"},
         "",
         -1,
         [&firewall](ServiceRequest& r) {
             r.setCommand(ServiceCommand::EnableFirewall);
             r.setAddressList(u"10.0.0.1;\u00e9");
             r.setOptions(firewall);
         }},
        {{"DisableFirewall", "--options", "1,0,1,0,255"},
         "",
         -1,
         [&firewall](ServiceRequest& r) {
             r.setCommand(ServiceCommand::DisableFirewall);
             r.setOptions(firewall);
         }},
        // The longest command line that fits; numbers as strtoll reads them.
        {{"0", "--text", std::string(16001, 'a')},
         "",
         -1,
         [](ServiceRequest& r) {
             r.setCommand(ServiceCommand::RunProcess);
             r.setCommandLine(std::u16string(16001, u'a'));
         }},
        {{"3", "--options", "+1,00,1,0,255"},
         "",
         -1,
         [&firewall](ServiceRequest& r) {
             r.setCommand(ServiceCommand::UpdateFirewall);
             r.setOptions(firewall);
         }},
    };
    for (const Accepted& row : cases) {
        SCOPED_TRACE(joined(row.arguments));
        ServicectlOptions options;
        std::string error;
        ASSERT_TRUE(options.parse(row.arguments, error)) << error;
        EXPECT_FALSE(options.help);
        EXPECT_EQ(options.socket, row.socket);
        EXPECT_EQ(options.timeoutMs, row.timeoutMs);
        ServiceRequest expected;
        row.expected(expected);
        EXPECT_TRUE(options.request.bytes() == expected.bytes());
    }
}

TEST(ServicectlOptions, HelpWinsOnlyUntilAProblemComesFirst)
{
    const std::vector<std::vector<std::string>> help = {{"--help"}, {"-h"}, {"5", "-h", "--bogus"}};
    for (const auto& arguments : help) {
        SCOPED_TRACE(joined(arguments));
        ServicectlOptions options;
        std::string error;
        ASSERT_TRUE(options.parse(arguments, error));
        EXPECT_TRUE(options.help);
    }
    ServicectlOptions options;
    std::string error;
    EXPECT_FALSE(options.parse({"--bogus", "--help"}, error));
    EXPECT_EQ(error, "unknown option --bogus");
    // The option's value is taken whatever it looks like.
    EXPECT_FALSE(options.parse({"--socket", "--help"}, error));
    EXPECT_EQ(error, "missing or unknown command");
}

TEST(ServicectlOptions, RefusesWithTheUsageProblem)
{
    const std::string notCommandLine = "--text is not UTF-8 or too long for the command line";
    const std::string notList = "--list is not UTF-8 or too long";
    const std::string fiveNumbers = "--options needs five numbers separated by commas";
    const Refused cases[] = {
        {{}, "missing or unknown command"},
        {{"Bogus"}, "missing or unknown command"},
        {{"runprocess"}, "missing or unknown command"},
        {{"2147483648"}, "missing or unknown command"},
        {{"5x"}, "missing or unknown command"},
        {{"--flag", "1"}, "missing or unknown command"},
        {{"5", "--socket"}, "missing value of --socket"},
        {{"5", "--text"}, "missing value of --text"},
        {{"--verbose", "5"}, "unknown option --verbose"},
        {{"5", "6"}, "unexpected argument 6"},
        {{"5", "--timeout", "-1"}, "bad --timeout"},
        {{"--timeout", "1x", "5"}, "bad --timeout"},
        {{"--timeout", "2147483648", "5"}, "bad --timeout"},
        {{"0", "--flag", "256"}, "bad --flag"},
        {{"0", "--flag", ""}, "bad --flag"},
        {{"1", "--list", "a", "--flag", "1"}, "--list/--options and --flag/--text belong to different commands"},
        {{"8", "--options", "1,1,1,1,1", "--text", "z"},
         "--list/--options and --flag/--text belong to different commands"},
        {{"0", "--text", "\xff"}, notCommandLine},
        {{"0", "--text", "\xed\xa0\x80"}, notCommandLine},
        {{"0", "--text", "\xc3"}, notCommandLine},
        {{"0", "--text", std::string(16002, 'a')}, notCommandLine},
        {{"8", "--text", std::string(32004, 'a')}, "--text too long"},
        {{"1", "--list", "\xc3"}, notList},
        {{"1", "--list", std::string(16000, 'a')}, notList},
        {{"1", "--options", "1,0,1,0"}, fiveNumbers},
        {{"1", "--options", "1,0,,0,1"}, fiveNumbers},
        {{"1", "--options", "1,0,1,0,256"}, fiveNumbers},
    };
    for (const Refused& row : cases) {
        SCOPED_TRACE(joined(row.arguments));
        ServicectlOptions options;
        std::string error;
        EXPECT_FALSE(options.parse(row.arguments, error));
        EXPECT_EQ(error, row.error);
    }
}
