// What only Windows decides: the real CommandLineToArgvW, CreateProcessW, the private
// directory's access list.

#include "launcher/Launcher.h"
#include "launcher/ProcessLauncher.h"
#include "launcher/WindowsCommandLine.h"

#include "CommandLineCases.h"
#include "LauncherTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <aclapi.h>
#include <shellapi.h>

#include <random>
#include <sstream>

using launcher::Launcher;
using launcher::LaunchSettings;
using launcher::splitWindowsCommandLine;
using launcher::startProcess;
using namespace launchertest;

namespace {

std::vector<std::u16string> systemSplit(const std::u16string& line)
{
    const std::wstring wide(line.begin(), line.end());
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(wide.c_str(), &count);
    std::vector<std::u16string> result;
    if (arguments == nullptr) {
        return result;
    }
    for (int i = 0; i < count; ++i) {
        const std::wstring argument(arguments[i]);
        result.emplace_back(argument.begin(), argument.end());
    }
    LocalFree(arguments);
    return result;
}

bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string printable(const std::u16string& text)
{
    return std::string(text.begin(), text.end());
}

TEST(WindowsCommandLineSystem, TableAgreesWithCommandLineToArgvW)
{
    for (const auto& row : commandLineCases()) {
        EXPECT_EQ(systemSplit(row.line), row.arguments) << printable(row.line);
    }
}

TEST(WindowsCommandLineSystem, RandomLinesAgreeWithCommandLineToArgvW)
{
    // Lines made of the characters the rules care about, in every arrangement that a
    // few thousand draws reach.
    const char16_t alphabet[] = {u'a', u' ', u'\t', u'"', u'\\', u'b'};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> length(1, 14);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(alphabet)) - 1);
    for (int round = 0; round < 5000; ++round) {
        std::u16string line;
        const int size = length(random);
        for (int i = 0; i < size; ++i) {
            line += alphabet[pick(random)];
        }
        ASSERT_EQ(splitWindowsCommandLine(line), systemSplit(line)) << "[" << printable(line) << "]";
    }
}

class LauncherWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        record = temporary.path() / "record.txt";
        privateDirectory = temporary.path() / "private";
        setEnvironment("QUARNEL_STANDIN_RECORD", record.string());
        setEnvironment("QUARNEL_STANDIN_EXIT", "0");
    }
    void TearDown() override { setEnvironment("QUARNEL_STANDIN_RECORD", ""); }

    std::u16string standInLine() const { return u"\"" + text(standInPath()) + u"\" --verb 3"; }

    TemporaryDirectory temporary{"quarnel-launcher"};
    std::filesystem::path record;
    std::filesystem::path privateDirectory;
    std::ostringstream log;
};

TEST_F(LauncherWindowsTest, WaitedProgramReturnsItsExitCode)
{
    setEnvironment("QUARNEL_STANDIN_EXIT", "42");
    const auto result = startProcess(standInLine(), true);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 42);
    const auto recorded = lines(readFile(record));
    ASSERT_EQ(recorded.size(), 3u) << readFile(record);
    EXPECT_EQ(recorded[1], "arg:--verb");
    EXPECT_EQ(recorded[2], "arg:3");
}

TEST_F(LauncherWindowsTest, ProgramNotWaitedForIsSeenToEnd)
{
    const auto result = startProcess(standInLine(), false);
    ASSERT_TRUE(result.started);
    ASSERT_TRUE(result.process);
    EXPECT_TRUE(waitUntil([&] { return result.process->hasEnded(); }));
    EXPECT_TRUE(std::filesystem::exists(record));
}

TEST_F(LauncherWindowsTest, ProgramThatCannotStartIsReportedSo)
{
    EXPECT_FALSE(startProcess(u"\"C:\\nonexistent\\openvpn.exe\" --verb 3", true).started);
    EXPECT_FALSE(startProcess(u"\"C:\\nonexistent\\openvpn.exe\"", false).started);
}

TEST_F(LauncherWindowsTest, PrivateDirectoryGrantsOnlySystemAndAdministrators)
{
    const auto config = temporary.path() / "client.ovpn";
    writeFile(config, "client\r\ndev tun\r\n");
    const auto password = temporary.path() / "management.txt";
    writeFile(password, managementPassword + "\r\n");
    Launcher launcher(LaunchSettings{standInPath(), privateDirectory}, log);
    const auto line = launchertest::clientLine(text(standInPath()), config, password, u"1194");
    // The run needs the protected list to have been set without error.
    ASSERT_TRUE(launcher.run(line, true).started) << log.str();
    if (underWine()) {
        GTEST_SKIP() << "SKIP: Wine derives file access lists from Unix modes and cannot show the one that was set";
    }

    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetNamedSecurityInfoW(privateDirectory.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                    nullptr, &dacl, nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(descriptor, &control, &revision));
    EXPECT_NE(control & SE_DACL_PROTECTED, 0);
    ASSERT_NE(dacl, nullptr);
    EXPECT_EQ(dacl->AceCount, 2);

    // Two principals, each allowed; nothing for anyone else.
    BYTE systemSid[SECURITY_MAX_SID_SIZE];
    BYTE adminsSid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(systemSid);
    ASSERT_TRUE(CreateWellKnownSid(WinLocalSystemSid, nullptr, systemSid, &size));
    size = sizeof(adminsSid);
    ASSERT_TRUE(CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, adminsSid, &size));
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        ASSERT_TRUE(GetAce(dacl, i, &ace));
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        EXPECT_TRUE(EqualSid(sid, systemSid) || EqualSid(sid, adminsSid));
    }
    LocalFree(descriptor);
}

} // namespace
