#include "linux/DaemonOptions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using service::DaemonOptions;

TEST(DaemonOptions, DefaultsAndBothSpellings)
{
    unsetenv("QUARNEL_SERVICE_SOCKET");
    DaemonOptions options;
    std::string error;
    ASSERT_TRUE(options.parse({}, error));
    EXPECT_EQ(options.socketPath, "/run/quarnel/QuarnelOpenVPNService");
    EXPECT_EQ(options.stateDir, "/var/lib/quarnel");
    EXPECT_EQ(options.openvpnPath, "/usr/sbin/openvpn");
    EXPECT_EQ(options.timezoneRoot, "");

    setenv("QUARNEL_SERVICE_SOCKET", "/tmp/env-socket", 1);
    ASSERT_TRUE(options.parse({}, error));
    EXPECT_EQ(options.socketPath, "/tmp/env-socket");
    ASSERT_TRUE(options.parse(
        {"--socket", "/tmp/s", "--state-dir=/tmp/st", "--openvpn", "/opt/ovpn", "--timezone-root=/tmp/root"}, error));
    unsetenv("QUARNEL_SERVICE_SOCKET");
    EXPECT_EQ(options.socketPath, "/tmp/s") << "the option wins over the environment";
    EXPECT_EQ(options.stateDir, "/tmp/st");
    EXPECT_EQ(options.openvpnPath, "/opt/ovpn");
    EXPECT_EQ(options.timezoneRoot, "/tmp/root");
}

TEST(DaemonOptions, RefusesWhatItDoesNotKnow)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--sockets", "/tmp/s"}, {"--socket"}, {"--socket="}, {"/tmp/s"}, {"--state-dir", ""},
    };
    for (const auto& arguments : bad) {
        DaemonOptions options;
        std::string error;
        EXPECT_FALSE(options.parse(arguments, error)) << arguments.front();
        EXPECT_FALSE(error.empty()) << arguments.front();
    }
}
