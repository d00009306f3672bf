#include "platform/win/AutostartTask.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>
#include <vector>

using win32::AutostartCommand;
namespace autostart = win32::autostart;

namespace {

using Arguments = std::vector<std::wstring>;

// How the started program sees its command line.
Arguments split(const std::wstring& line)
{
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
    Arguments arguments(argv, argv + count);
    LocalFree(argv);
    return arguments;
}

TEST(AutostartTask, EnablingCreatesTheLogOnTaskThenAllowsBatteryPower)
{
    const std::vector<AutostartCommand> commands = autostart::commands(true, L"C:/Program Files/Quarnel/Quarnel.exe");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].program, L"schtasks");
    EXPECT_EQ(commands[0].arguments,
              (Arguments{L"/create", L"/f", L"/tn", L"QuarnelAutostart", L"/tr",
                         L"\"C:\\Program Files\\Quarnel\\Quarnel.exe\"", L"/sc", L"onlogon", L"/rl", L"highest"}));
    EXPECT_TRUE(commands[0].wait);
    EXPECT_EQ(commands[1].program, L"powershell.exe");
    EXPECT_EQ(commands[1].arguments,
              (Arguments{L"$TaskSettings = New-ScheduledTaskSettingsSet -AllowStartIfOnBatteries "
                         L"-DontStopIfGoingOnBatteries;Set-ScheduledTask -TaskName QuarnelAutostart -Settings "
                         L"$TaskSettings"}));
    EXPECT_FALSE(commands[1].wait);
}

TEST(AutostartTask, DisablingDeletesTheTaskAndNamesTheOldRunValue)
{
    const std::vector<AutostartCommand> commands = autostart::commands(false, L"C:\\Quarnel\\Quarnel.exe");
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].program, L"schtasks");
    EXPECT_EQ(commands[0].arguments, (Arguments{L"/delete", L"/f", L"/tn", L"QuarnelAutostart"}));
    EXPECT_TRUE(commands[0].wait);
    EXPECT_STREQ(autostart::runKey, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_STREQ(autostart::runValue, L"Quarnel");
}

TEST(AutostartTask, CommandLineHandsOverEveryArgumentUnchanged)
{
    const AutostartCommand create = autostart::commands(true, L"C:\\Program Files\\Quarnel\\Quarnel.exe")[0];
    EXPECT_EQ(autostart::commandLine(create.program, create.arguments),
              L"schtasks /create /f /tn QuarnelAutostart /tr \"\\\"C:\\Program Files\\Quarnel\\Quarnel.exe\\\"\" "
              L"/sc onlogon /rl highest");

    const Arguments awkward{L"",       L"plain",          L"two words", L"ends\\",         L"ends in space\\",
                            L"a\\\"b", L"\\\\\"quoted\"", L"tab\there", L"C:\\dir\\x.exe", L"$x;y"};
    Arguments expected{L"C:\\Program Files\\tool.exe"};
    expected.insert(expected.end(), awkward.begin(), awkward.end());
    EXPECT_EQ(split(autostart::commandLine(L"C:\\Program Files\\tool.exe", awkward)), expected);
    for (const AutostartCommand& command : autostart::commands(true, L"C:\\Quarnel \"x\"\\Quarnel.exe")) {
        Arguments all{command.program};
        all.insert(all.end(), command.arguments.begin(), command.arguments.end());
        EXPECT_EQ(split(autostart::commandLine(command.program, command.arguments)), all);
    }
}

// Against a key of the test's own under HKEY_CURRENT_USER, never the real Run key.
TEST(AutostartTask, RegistryCleanUpRemovesOnlyTheNamedValueAndAcceptsItsAbsence)
{
    const std::wstring subKey = L"Software\\QuarnelTest\\Run";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t data[] = L"C:\\Quarnel\\Quarnel.exe";
    for (const wchar_t* name : {L"Quarnel", L"Other"}) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof(data));
    }
    EXPECT_TRUE(autostart::removeRegistryValue(HKEY_CURRENT_USER, subKey, L"Quarnel"));
    EXPECT_NE(RegQueryValueExW(key, L"Quarnel", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(key, L"Other", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_TRUE(autostart::removeRegistryValue(HKEY_CURRENT_USER, subKey, L"Quarnel"));
    EXPECT_TRUE(autostart::removeRegistryValue(HKEY_CURRENT_USER, subKey + L"\\Missing", L"Quarnel"));
    RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuarnelTest");
}

} // namespace
