#include "launcher/OpenVpnCommandLine.h"

#include "launcher/TextEncoding.h"
#include "launcher/WindowsCommandLine.h"

#include <gtest/gtest.h>

using launcher::OpenVpnCommandLine;

namespace {

const std::u16string program = u"C:\\Program Files\\Quarnel\\openvpn\\openvpn.exe";
const std::u16string config = u"C:\\Users\\A B\\AppData\\Local\\Temp\\Quarnel.openvpn-Ab12Cd.txt";
const std::u16string password = u"C:\\Users\\A B\\AppData\\Local\\Temp\\Quarnel.management-Ef34Gh.txt";

// The line as the client builds it: program unquoted, then the three options.
std::u16string clientLine(const std::u16string& port)
{
    return program + u" --config \"" + config + u"\" --management 127.0.0.1 " + port + u" \"" + password +
           u"\" --management-query-passwords";
}

std::string printable(const std::u16string& text)
{
    std::string utf8;
    launcher::utf16ToUtf8(text, utf8);
    return utf8;
}

TEST(OpenVpnCommandLine, ReadsTheClientsLine)
{
    OpenVpnCommandLine parsed;
    std::string refusal;
    ASSERT_TRUE(OpenVpnCommandLine::parse(clientLine(u"50123"), parsed, refusal)) << refusal;
    EXPECT_EQ(parsed.program, program);
    EXPECT_EQ(parsed.configPath, config);
    EXPECT_EQ(parsed.port, 50123);
    EXPECT_EQ(parsed.passwordPath, password);

    // A quoted program path means the same program.
    ASSERT_TRUE(OpenVpnCommandLine::parse(u"\"" + clientLine(u"1").insert(program.size(), u"\""), parsed, refusal))
        << refusal;
    EXPECT_EQ(parsed.program, program);
    EXPECT_EQ(parsed.port, 1);

    ASSERT_TRUE(OpenVpnCommandLine::parse(clientLine(u"65535"), parsed, refusal)) << refusal;
    EXPECT_EQ(parsed.port, 65535);
}

TEST(OpenVpnCommandLine, RefusesEveryOtherShape)
{
    const std::u16string tail = u" --management-query-passwords";
    const std::u16string quoted = u" --config \"" + config + u"\"";
    const std::u16string management = u" --management 127.0.0.1 1194 \"" + password + u"\"";
    const std::u16string unlocked = u" --management 127.0.0.1 1194";
    const std::vector<std::u16string> lines = {
        clientLine(u"0"),
        clientLine(u"65536"),
        clientLine(u"99999"),
        clientLine(u"123456"),
        clientLine(u"01194"),
        clientLine(u"12a"),
        clientLine(u"-1"),
        clientLine(u"+1"),
        clientLine(u""),
        clientLine(u"1194 "),
        // Missing options, the password file among them.
        program + quoted + unlocked + tail,
        program + quoted + unlocked + u" \"\"" + tail,
        program + quoted + unlocked + u" " + password + tail,
        program + quoted + unlocked + u"  \"" + password + u"\"" + tail,
        program + quoted + unlocked + u"\"" + password + u"\"" + tail,
        program + quoted + unlocked + u" \"" + password + u"\" \"" + password + u"\"" + tail,
        program + quoted + unlocked + u" \"C:\\a\nb.txt\"" + tail,
        program + quoted + management,
        program + quoted + tail,
        program + management + tail,
        // Added options, anywhere.
        program + quoted + management + tail + u" --verb 9",
        program + quoted + u" --up \"C:\\x.bat\"" + management + tail,
        program + quoted + management + u" --script-security 2" + tail,
        program + u" --script-security 2" + quoted + management + tail,
        program + u" --config \"C:\\a.ovpn\"" + quoted + management + tail,
        // Reordered, respaced, or the configuration path unquoted or empty.
        program + management + quoted + tail,
        program + u"  --config \"" + config + u"\"" + management + tail,
        program + u" --config " + u"C:\\Temp\\a.ovpn" + management + tail,
        program + u" --config \"\"" + management + tail,
        program + quoted + u" --management 0.0.0.0 1194 \"" + password + u"\"" + tail,
        program + quoted + u" --management localhost 1194 \"" + password + u"\"" + tail,
        program + quoted + management + tail + u" ",
        u" " + program + quoted + management + tail,
        // No program, a quote or a line break in a path.
        quoted.substr(1) + management + tail,
        u"C:\\a\"b.exe" + quoted + management + tail,
        program + u" --config \"C:\\a\nb.ovpn\"" + management + tail,
        u"",
    };
    for (const auto& line : lines) {
        OpenVpnCommandLine parsed;
        std::string refusal;
        EXPECT_FALSE(OpenVpnCommandLine::parse(line, parsed, refusal)) << printable(line);
        EXPECT_FALSE(refusal.empty()) << printable(line);
        // The reason is written to the service's log: it never repeats the request.
        EXPECT_EQ(refusal.find("Quarnel"), std::string::npos) << refusal;
    }
}

TEST(OpenVpnCommandLine, BuildsALineThatSplitsIntoItsArguments)
{
    OpenVpnCommandLine line;
    line.program = u"/opt/quarnel dir/openvpn";
    line.configPath = u"/run/quarnel/launch/config-12-1.ovpn";
    line.port = 1194;
    line.passwordPath = u"/run/quarnel/launch/config-12-2.pass";
    EXPECT_EQ(line.toCommandLine(), u"\"/opt/quarnel dir/openvpn\" --config \"/run/quarnel/launch/config-12-1.ovpn\""
                                    u" --management 127.0.0.1 1194 \"/run/quarnel/launch/config-12-2.pass\""
                                    u" --management-query-passwords");
    EXPECT_EQ(launcher::splitWindowsCommandLine(line.toCommandLine()), line.arguments());

    OpenVpnCommandLine again;
    std::string refusal;
    ASSERT_TRUE(OpenVpnCommandLine::parse(line.toCommandLine(), again, refusal)) << refusal;
    EXPECT_EQ(again.program, line.program);
    EXPECT_EQ(again.configPath, line.configPath);
    EXPECT_EQ(again.port, line.port);
    EXPECT_EQ(again.passwordPath, line.passwordPath);
}

} // namespace
