// The real quarnel-service: started as systemd would, on a socket and state directory of
// the test's own, its firewall inside a private network namespace and its time zone in
// a temporary machine root, so that the host's nftables and zone are never touched.

#include "DaemonProcess.h"
#include "TemporaryDirectory.h"

#include "pipe/PipeClient.h"
#include "pipe/PipeServer.h"
#include "pipe/ServiceCommand.h"
#include "pipe/ServiceRequest.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using servicepipe::PipeClient;
using servicepipe::ServiceCommand;
using servicepipe::ServiceReply;
using servicepipe::ServiceRequest;

namespace {

using Reply = std::array<std::uint8_t, 5>;

// Records built byte by byte, independent of the codec.
std::vector<std::uint8_t> record(std::int32_t command, std::size_t size = servicepipe::requestSize)
{
    std::vector<std::uint8_t> bytes(size, 0);
    const auto code = static_cast<std::uint32_t>(command);
    for (std::size_t i = 0; i < 4 && i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(code >> (8 * i));
    }
    return bytes;
}

void putUtf16(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::string& ascii)
{
    for (const char c : ascii) {
        bytes[offset++] = static_cast<std::uint8_t>(c);
        bytes[offset++] = 0;
    }
}

void putText(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::string& text)
{
    std::memcpy(bytes.data() + offset, text.data(), text.size());
}

std::string readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class ServiceDaemon : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (geteuid() != 0) {
            std::printf("SKIP the service test needs root for its network namespace\n");
            GTEST_SKIP() << "needs root";
        }
        if (std::getenv("QUARNEL_SERVICE_BIN") == nullptr || std::getenv("QUARNEL_SERVICECTL_BIN") == nullptr) {
            std::printf("SKIP QUARNEL_SERVICE_BIN and QUARNEL_SERVICECTL_BIN are not set\n");
            GTEST_SKIP() << "programs not given";
        }
        static int count = 0;
        namespaceName = "qsvc" + std::to_string(getpid()) + "x" + std::to_string(count++);
        if (runProgram({"ip", "netns", "add", namespaceName}) != 0) {
            std::printf("SKIP cannot create network namespace %s\n", namespaceName.c_str());
            GTEST_SKIP() << "no network namespace";
        }
        namespaceMade = true;

        paths.socket = (root / "socket").string();
        paths.stateDir = (root / "state").string();
        paths.timezoneRoot = (root / "machine").string();
        paths.notifySocket = (root / "notify").string();
        paths.log = (root / "service.log").string();
        paths.openvpn = (root / "openvpn").string();

        // The installed "OpenVPN": records that it ran, waits while a "hold" file exists,
        // and exits with the code in "exit-code".
        std::ofstream(paths.openvpn) << "#!/bin/sh\n"
                                        "d=$(dirname \"$0\")\n"
                                        "echo \"$@\" >> \"$d/runs\"\n"
                                        "while [ -e \"$d/hold\" ]; do sleep 0.02; done\n"
                                        "exit $(cat \"$d/exit-code\" 2>/dev/null || echo 0)\n";
        fs::permissions(paths.openvpn, fs::perms::owner_all);
        std::ofstream(root / "client.ovpn") << "client\ndev tun\nremote 198.51.100.1 1194\n";
        std::ofstream(root / "management.pass") << "0123456789abcdef0123456789abcdef\n";

        // A machine whose zone is Etc/UTC, with a few real zones to switch to.
        const fs::path zoneinfo = root / "machine/usr/share/zoneinfo";
        for (const char* name : {"Etc/UTC", "Europe/Berlin", "America/New_York"}) {
            fs::create_directories((zoneinfo / name).parent_path());
            fs::copy_file(fs::path("/usr/share/zoneinfo") / name, zoneinfo / name);
        }
        fs::create_directories(root / "machine/etc");
        fs::create_symlink(zoneinfo / "Etc/UTC", root / "machine/etc/localtime");
        daemon = std::make_unique<DaemonProcess>(namespaceName, paths);
    }

    void TearDown() override
    {
        if (daemon && daemon->running()) {
            EXPECT_EQ(daemon->stop(), 0) << daemon->log();
        }
        daemon.reset();
        if (namespaceMade) {
            runProgram({"ip", "netns", "del", namespaceName});
        }
    }

    void startService() { ASSERT_TRUE(daemon->start()) << daemon->log(); }

    void stopService() { EXPECT_EQ(daemon->stop(), 0) << daemon->log(); }

    // quarnel-servicectl with these arguments: "ok=N value=N", or its failure.
    std::string servicectl(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> command = {std::getenv("QUARNEL_SERVICECTL_BIN"), "--socket", paths.socket};
        command.insert(command.end(), arguments.begin(), arguments.end());
        std::string output;
        const int status = runProgram(command, &output);
        if (status != 0) {
            return "exit " + std::to_string(status);
        }
        if (!output.empty() && output.back() == '\n') {
            output.pop_back();
        }
        return output;
    }

    // One exchange with bytes written exactly as given, in one message.
    std::optional<Reply> rawExchange(const std::vector<std::uint8_t>& bytes)
    {
        const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, paths.socket.c_str(), sizeof address.sun_path - 1);
        std::optional<Reply> reply;
        Reply answer = {};
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size()) &&
            recv(fd, answer.data(), answer.size(), 0) == static_cast<ssize_t>(answer.size())) {
            reply = answer;
        }
        close(fd);
        return reply;
    }

    // The kill-switch table in the service's namespace, empty when there is none.
    std::string firewallTable()
    {
        std::string output;
        const int status =
            runProgram({"ip", "netns", "exec", namespaceName, "nft", "list", "table", "inet", "quarnel"}, &output);
        return status == 0 ? output : std::string();
    }

    std::string zone() const
    {
        const fs::path link = fs::read_symlink(root / "machine/etc/localtime");
        const std::string target = link.string();
        const std::string marker = "/zoneinfo/";
        const std::size_t at = target.find(marker);
        return at == std::string::npos ? target : target.substr(at + marker.size());
    }

    fs::path settingsFile() const { return fs::path(paths.stateDir) / "settings.dat"; }

    // The command line the client sends to start OpenVPN.
    std::string openvpnLine() const { return openvpnLine(root / "client.ovpn"); }
    std::string openvpnLine(const fs::path& config) const { return openvpnLine(config, paths.openvpn); }
    // Every request names the same management password file, which anyone may read.
    std::string openvpnLine(const fs::path& config, const std::string& program) const
    {
        return program + " --config \"" + config.string() + "\" --management 127.0.0.1 7505 \"" +
               (root / "management.pass").string() + "\" --management-query-passwords";
    }

    int runsRecorded() const
    {
        std::ifstream file(root / "runs");
        int lines = 0;
        for (std::string line; std::getline(file, line);) {
            ++lines;
        }
        return lines;
    }

    std::string namespaceName;
    bool namespaceMade = false;
    TemporaryDirectory temporary{"quarnel-svc"};
    const fs::path& root = temporary.path();
    DaemonProcess::Paths paths;
    std::unique_ptr<DaemonProcess> daemon;
};

} // namespace

TEST_F(ServiceDaemon, EveryCommandAndItsReply)
{
    startService();
    EXPECT_EQ(servicectl({"QueryFirewallSupport"}), "ok=1 value=0");
    EXPECT_EQ(servicectl({"QueryTimezoneSupport"}), "ok=1 value=0");
    for (const char* code : {"4", "9", "12345", "-1"}) {
        EXPECT_EQ(servicectl({code}), "ok=0 value=0") << code;
    }
    // The installed OpenVPN with the client's command line: started, and with the wait
    // flag its exit code comes back. Any other program is refused.
    std::ofstream(root / "exit-code") << "7\n";
    EXPECT_EQ(servicectl({"RunProcess", "--flag", "1", "--text", openvpnLine()}), "ok=1 value=7");
    EXPECT_EQ(servicectl({"RunProcess", "--flag", "0", "--text", openvpnLine()}), "ok=1 value=0");
    EXPECT_EQ(servicectl({"RunProcess", "--flag", "1", "--text", "/bin/true"}), "ok=0 value=0");

    EXPECT_EQ(servicectl({"ChangeTimezone", "--flag", "0", "--text", "Europe/Berlin"}), "ok=1 value=0");
    EXPECT_EQ(zone(), "Europe/Berlin");
    // The support byte, though the change failed.
    EXPECT_EQ(servicectl({"ChangeTimezone", "--flag", "0", "--text", "Mars/Olympus_Mons"}), "ok=1 value=0");
    EXPECT_EQ(zone(), "Europe/Berlin");
    EXPECT_EQ(servicectl({"ChangeTimezone", "--flag", "1"}), "ok=1 value=0");
    EXPECT_EQ(zone(), "Etc/UTC");

    EXPECT_EQ(servicectl({"EnableFirewall", "--list", "127.0.0.1;198.51.100.7", "--options", "1,0,0,0,0"}),
              "ok=1 value=0");
    std::string table = firewallTable();
    EXPECT_NE(table.find("198.51.100.7"), std::string::npos) << table;
    EXPECT_EQ(servicectl({"UpdateFirewall", "--list", "127.0.0.1;198.51.100.9", "--options", "1,0,0,0,0"}),
              "ok=1 value=0");
    table = firewallTable();
    EXPECT_NE(table.find("198.51.100.9"), std::string::npos) << table;
    EXPECT_EQ(table.find("198.51.100.7"), std::string::npos) << table;

    EXPECT_EQ(servicectl({"ChangeTimezone", "--text", "America/New_York"}), "ok=1 value=0");
    EXPECT_EQ(servicectl({"DisableFirewall"}), "ok=1 value=0");
    EXPECT_EQ(firewallTable(), "");
    EXPECT_EQ(zone(), "Etc/UTC");
    // No session any more: the zone is still restored.
    EXPECT_EQ(servicectl({"ChangeTimezone", "--text", "Europe/Berlin"}), "ok=1 value=0");
    EXPECT_EQ(servicectl({"DisableFirewall"}), "ok=1 value=0");
    EXPECT_EQ(zone(), "Etc/UTC");

    EXPECT_EQ(servicectl({"SaveFirewallState"}), "ok=1 value=0");
    EXPECT_EQ(readFile(settingsFile()), "127.0.0.1;198.51.100.9");

    // The stop takes the rules and the changed zone with it.
    EXPECT_EQ(servicectl({"EnableFirewall", "--list", "127.0.0.1", "--options", "1,1,1,0,1"}), "ok=1 value=0");
    EXPECT_EQ(servicectl({"ChangeTimezone", "--text", "Europe/Berlin"}), "ok=1 value=0");
    EXPECT_NE(firewallTable(), "");
    stopService();
    EXPECT_EQ(firewallTable(), "");
    EXPECT_EQ(zone(), "Etc/UTC");
    EXPECT_FALSE(fs::exists(paths.socket));
}

TEST_F(ServiceDaemon, HandBuiltRecords)
{
    startService();

    // The list from byte 4, the options from byte 32,004; settings.dat gets the list back.
    std::vector<std::uint8_t> enable = record(1);
    putUtf16(enable, 4, "127.0.0.1;203.0.113.5");
    enable[32004] = 1; // killConnect
    EXPECT_EQ(rawExchange(enable), (Reply{1, 0, 0, 0, 0}));
    EXPECT_NE(firewallTable().find("203.0.113.5"), std::string::npos);
    EXPECT_EQ(rawExchange(record(6)), (Reply{1, 0, 0, 0, 0}));
    EXPECT_EQ(readFile(settingsFile()), "127.0.0.1;203.0.113.5");

    // The flag at byte 4, the UTF-8 name from the odd byte 5.
    std::vector<std::uint8_t> change = record(8);
    putText(change, 5, "Europe/Berlin");
    EXPECT_EQ(rawExchange(change), (Reply{1, 0, 0, 0, 0}));
    EXPECT_EQ(zone(), "Europe/Berlin");

    // Short writes: DisableFirewall as just its command restores the zone; then a
    // ChangeTimezone as just its command has an empty name, not the one sent before.
    EXPECT_EQ(rawExchange(record(2, 4)), (Reply{1, 0, 0, 0, 0}));
    EXPECT_EQ(zone(), "Etc/UTC");
    EXPECT_EQ(rawExchange(record(8, 4)), (Reply{1, 0, 0, 0, 0}));
    EXPECT_EQ(zone(), "Etc/UTC");
    // A short EnableFirewall has an empty list.
    EXPECT_EQ(rawExchange(record(1, 6)), (Reply{1, 0, 0, 0, 0}));
    EXPECT_EQ(rawExchange(record(6, 4)), (Reply{1, 0, 0, 0, 0}));
    EXPECT_EQ(readFile(settingsFile()), "");

    // Texts with no terminator end at the end of their field.
    std::vector<std::uint8_t> endless = record(8);
    std::memset(endless.data() + 5, 'A', endless.size() - 5);
    EXPECT_EQ(rawExchange(endless), (Reply{1, 0, 0, 0, 0}));
    EXPECT_EQ(zone(), "Etc/UTC");
    std::vector<std::uint8_t> endlessList = record(3);
    const std::string entry = "1.2.3.4;";
    for (std::size_t i = 4, k = 0; i < 32004; i += 2, ++k) {
        endlessList[i] = static_cast<std::uint8_t>(entry[k % entry.size()]);
    }
    EXPECT_EQ(rawExchange(endlessList), (Reply{1, 0, 0, 0, 0}));
    EXPECT_EQ(rawExchange(record(6)), (Reply{1, 0, 0, 0, 0}));
    const std::string saved = readFile(settingsFile());
    EXPECT_EQ(saved.size(), 15999u);
    EXPECT_EQ(saved.substr(0, 16), "1.2.3.4;1.2.3.4;");

    EXPECT_EQ(rawExchange(record(-1)), (Reply{0, 0, 0, 0, 0}));
    EXPECT_EQ(rawExchange(record(5)), (Reply{1, 0, 0, 0, 0})) << "still serving";
}

TEST_F(ServiceDaemon, SavedStateIsAppliedAtTheNextStartOnly)
{
    // Saved before any firewall request: an empty list, and a kill switch at the next
    // start with no server permitted.
    startService();
    EXPECT_EQ(servicectl({"SaveFirewallState"}), "ok=1 value=0");
    ASSERT_TRUE(fs::exists(settingsFile()));
    EXPECT_EQ(fs::file_size(settingsFile()), 0u);
    stopService();
    startService();
    EXPECT_FALSE(fs::exists(settingsFile()));
    EXPECT_NE(firewallTable(), "");
    stopService();
    EXPECT_EQ(firewallTable(), "");

    startService();
    EXPECT_EQ(servicectl({"EnableFirewall", "--list", "127.0.0.1;198.51.100.44", "--options", "1,1,1,0,0"}),
              "ok=1 value=0");
    EXPECT_EQ(servicectl({"SaveFirewallState"}), "ok=1 value=0");
    stopService();
    EXPECT_EQ(firewallTable(), "");
    EXPECT_EQ(readFile(settingsFile()), "127.0.0.1;198.51.100.44");

    // The kill switch is there before the socket accepts anyone.
    startService();
    EXPECT_FALSE(fs::exists(settingsFile()));
    const std::string table = firewallTable();
    EXPECT_NE(table.find("198.51.100.44"), std::string::npos) << table;
    stopService();

    startService();
    EXPECT_EQ(firewallTable(), "") << "applied once";
}

// A stop while a RunProcess with wait is being served: the program is waited for, the
// reply written, and only then does the service stop.
TEST_F(ServiceDaemon, StopWhileServingRepliesFirst)
{
    startService();
    std::ofstream(root / "hold") << "";
    std::ofstream(root / "exit-code") << "3\n";
    std::string reply;
    std::thread client([&] { reply = servicectl({"RunProcess", "--flag", "1", "--text", openvpnLine()}); });
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (runsRecorded() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(runsRecorded(), 1);

    kill(daemon->processId(), SIGTERM);
    // The stop is pending, not done: the program is still being waited for.
    EXPECT_TRUE(daemon->waitForNotification("STOPPING=1", 10s));
    EXPECT_TRUE(daemon->alive());

    fs::remove(root / "hold");
    client.join();
    EXPECT_EQ(reply, "ok=1 value=3");
    EXPECT_EQ(daemon->stop(), 0) << daemon->log();
}

// SIGTERM wakes an idle daemon at once instead of at the end of some wait: the bound is
// well below the request time-out, the longest wait the service has.
TEST_F(ServiceDaemon, StopWhileIdleDoesNotWaitForATimeout)
{
    startService();
    EXPECT_EQ(servicectl({"QueryFirewallSupport"}), "ok=1 value=0");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(daemon->stop(servicepipe::PipeServer::defaultRequestTimeout), 0) << daemon->log();
    EXPECT_LT(std::chrono::steady_clock::now() - start, servicepipe::PipeServer::defaultRequestTimeout / 2);

    // Start pending, running, stop pending, stopped, in that order.
    std::string sequence;
    for (const std::string& message : daemon->notifications()) {
        if (message.find("READY=1") != std::string::npos) {
            sequence += "ready ";
        } else if (message.find("STOPPING=1") != std::string::npos) {
            sequence += "stopping ";
        } else if (message.find("STATUS=Starting") != std::string::npos) {
            sequence += "starting ";
        } else if (message.find("STATUS=Stopped") != std::string::npos) {
            sequence += "stopped ";
        }
    }
    EXPECT_EQ(sequence, "starting ready stopping stopped ");
}

TEST_F(ServiceDaemon, ManyClientsAreAllServed)
{
    startService();
    for (int i = 0; i < 200; ++i) {
        ServiceReply reply;
        ASSERT_EQ(PipeClient(paths.socket).exchange(ServiceRequest(ServiceCommand::QueryFirewallSupport), reply),
                  PipeClient::Result::Replied)
            << i;
        ASSERT_EQ(reply.ok, 1) << i;
    }

    std::atomic<int> served{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 8; ++c) {
        clients.emplace_back([this, &served, c] {
            for (int i = 0; i < 25; ++i) {
                ServiceRequest request(c % 2 == 0 ? ServiceCommand::QueryTimezoneSupport
                                                  : ServiceCommand::QueryFirewallSupport);
                ServiceReply reply;
                if (PipeClient(paths.socket).exchange(request, reply) == PipeClient::Result::Replied && reply.ok == 1) {
                    ++served;
                }
            }
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
    EXPECT_EQ(served, 200);
}

// The configuration file is opened with the rights of whoever sent the request, from the
// socket's peer: a user learns nothing about a file it may not read, and cannot have it
// run. The client side runs as nobody (with a supplementary group where it says so).
TEST_F(ServiceDaemon, ConfigurationFileIsOpenedWithTheRequesterRights)
{
    constexpr unsigned nobody = 65534;
    constexpr unsigned extraGroup = 4242;
    // nobody must reach the socket and the files; nothing else here is theirs.
    fs::permissions(root, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    const auto file = [&](const std::string& name, const std::string& content, fs::perms mode, unsigned owner,
                          unsigned group) {
        const fs::path path = root / name;
        std::ofstream(path) << content;
        fs::permissions(path, mode, fs::perm_options::replace);
        EXPECT_EQ(chown(path.c_str(), owner, group), 0);
        return path;
    };
    const std::string allowed = "client\ndev tun\nremote 198.51.100.1 1194\n";
    const fs::perms ownerRead = fs::perms::owner_read | fs::perms::owner_write;
    const fs::perms groupRead = ownerRead | fs::perms::group_read;
    const fs::path rootOnly = file("root-only.ovpn", allowed, ownerRead, 0, 0);
    // A group of the service's own: the service's groups must not count for the client.
    constexpr gid_t serviceGroup = 4343;
    const fs::path rootGroup = file("service-group.ovpn", allowed, groupRead, 0, serviceGroup);
    const fs::path rootOnlyRefused = file("root-only-up.ovpn", allowed + "up /bin/sh\n", ownerRead, 0, 0);
    const fs::path rootOnlyLarge = file("root-only-large.ovpn", allowed + std::string(2 << 20, '#'), ownerRead, 0, 0);
    const fs::path theirs = file("theirs.ovpn", allowed, ownerRead, nobody, nobody);
    const fs::path viaGroup = file("via-group.ovpn", allowed, groupRead, 0, extraGroup);
    fs::create_directory(root / "closed");
    const fs::path behindClosed = file("closed/open.ovpn", allowed, groupRead | fs::perms::others_read, 0, 0);
    fs::permissions(root / "closed", fs::perms::owner_all, fs::perm_options::replace);

    const auto asNobody = [&](const fs::path& config, const std::string& groups = "--clear-groups") {
        std::string output;
        const int status =
            runProgram({"setpriv", "--reuid=65534", "--regid=65534", groups, std::getenv("QUARNEL_SERVICECTL_BIN"),
                        "--socket", paths.socket, "RunProcess", "--flag", "1", "--text", openvpnLine(config)},
                       &output);
        return status == 0 ? output.substr(0, output.find('\n')) : "exit " + std::to_string(status);
    };
    std::vector<gid_t> ownGroups(static_cast<std::size_t>(getgroups(0, nullptr)));
    ownGroups.resize(static_cast<std::size_t>(getgroups(static_cast<int>(ownGroups.size()), ownGroups.data())));
    ASSERT_EQ(setgroups(1, &serviceGroup), 0);
    startService();
    ASSERT_EQ(setgroups(ownGroups.size(), ownGroups.data()), 0);

    struct Case
    {
        const char* name;
        std::string reply;
        std::string expected;
    };
    const std::vector<Case> refused = {
        {"readable by root only", asNobody(rootOnly), "ok=0 value=0"},
        {"readable by a group of the service", asNobody(rootGroup), "ok=0 value=0"},
        {"in a directory nobody may enter", asNobody(behindClosed), "ok=0 value=0"},
        {"of the user's group, sent without it", asNobody(viaGroup), "ok=0 value=0"},
        {"readable by root only, with a forbidden directive", asNobody(rootOnlyRefused), "ok=0 value=0"},
        {"readable by root only, over the size limit", asNobody(rootOnlyLarge), "ok=0 value=0"},
        {"missing", asNobody(root / "missing.ovpn"), "ok=0 value=0"},
    };
    for (const Case& c : refused) {
        EXPECT_EQ(c.reply, c.expected) << c.name;
    }
    EXPECT_EQ(runsRecorded(), 0) << "OpenVPN never ran";
    // Every one of them is "not readable", whatever stands behind the name.
    const auto refusals = [&] {
        std::vector<std::string> found;
        std::istringstream log(daemon->log());
        for (std::string text; std::getline(log, text);) {
            if (text.rfind("RunProcess refused: ", 0) == 0) {
                found.push_back(text);
            }
        }
        return found;
    };
    EXPECT_EQ(refusals(),
              std::vector<std::string>(refused.size(), "RunProcess refused: the configuration file is not readable"));

    EXPECT_EQ(asNobody(theirs), "ok=1 value=0") << "a file the user owns";
    EXPECT_EQ(asNobody(viaGroup, "--groups=" + std::to_string(extraGroup)), "ok=1 value=0")
        << "readable through a supplementary group";
    EXPECT_EQ(runsRecorded(), 2);
    EXPECT_EQ(servicectl({"RunProcess", "--flag", "1", "--text", openvpnLine(rootOnly)}), "ok=1 value=0") << "root";
    EXPECT_EQ(runsRecorded(), 3);
    // Root reads it, and the allowlist decides.
    EXPECT_EQ(servicectl({"RunProcess", "--flag", "1", "--text", openvpnLine(rootOnlyRefused)}), "ok=0 value=0");
    EXPECT_EQ(runsRecorded(), 3);
    EXPECT_EQ(refusals().size(), refused.size() + 1);
    EXPECT_NE(refusals().back(), refusals().front());
}

// The installed OpenVPN is started only when no one but root can change it.
TEST_F(ServiceDaemon, UntrustedProgramIsRefusedAndNeverRuns)
{
    const fs::path open = root / "open";
    fs::create_directory(open);
    fs::permissions(open, fs::perms::all, fs::perm_options::replace);
    fs::copy_file(paths.openvpn, open / "openvpn");
    DaemonProcess::Paths untrusted = paths;
    untrusted.openvpn = (open / "openvpn").string();
    daemon = std::make_unique<DaemonProcess>(namespaceName, untrusted);
    startService();

    EXPECT_EQ(servicectl({"RunProcess", "--flag", "1", "--text", openvpnLine(root / "client.ovpn", untrusted.openvpn)}),
              "ok=0 value=0");
    EXPECT_EQ(runsRecorded(), 0);
    EXPECT_FALSE(fs::exists(open / "runs"));
    EXPECT_NE(daemon->log().find("RunProcess refused: untrusted program"), std::string::npos) << daemon->log();
}
