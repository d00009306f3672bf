#include "platform/ExecutablePath.h"

#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace fs = std::filesystem;

namespace {

// Run as a copy of this program: it writes what the helper says into a file beside
// itself, so a path the helper got wrong leaves no report where the test looks.
const char* const reportOption = "--report-executable-path";
const char* const reportName = "reported-path.txt";

int reportExecutablePath()
{
    const fs::path program = serviceplatform::executablePath();
    std::ofstream report(serviceplatform::executableDirectory() / reportName, std::ios::binary);
    report << program.u8string();
    return report.flush() ? 0 : 1;
}

// Exit code of the program run with the report option, -1 when it could not run.
int runReporter(const fs::path& program)
{
#ifdef _WIN32
    std::wstring commandLine = L"\"" + program.native() + L"\" --report-executable-path";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
#else
    std::string path = program.native();
    std::string option = reportOption;
    char* argv[] = {path.data(), option.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ) != 0) {
        return -1;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
#endif
}

// Copies this program into directory and returns what the copy reports as its path.
std::string reportedPathOfCopy(const fs::path& directory)
{
    fs::create_directories(directory);
    const fs::path copy = directory / serviceplatform::executablePath().filename();
    fs::copy_file(serviceplatform::executablePath(), copy);
    EXPECT_EQ(runReporter(copy), 0) << copy.u8string();
    std::ifstream report(directory / reportName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(report), std::istreambuf_iterator<char>());
}

} // namespace

TEST(ExecutablePath, NamesThisProgram)
{
    const fs::path program = serviceplatform::executablePath();
    ASSERT_TRUE(program.is_absolute()) << program.u8string();
    EXPECT_TRUE(fs::is_regular_file(program)) << program.u8string();
    EXPECT_EQ(program.stem(), "service_platform_test");
    EXPECT_EQ(serviceplatform::executableDirectory(), program.parent_path());
}

TEST(ExecutablePath, KeepsEveryCharacterOfTheInstallPath)
{
    // Outside every ANSI code page at once.
    const TemporaryDirectory temporary("quarnel-exepath");
    const fs::path unusual = temporary / fs::u8path(u8"Quarnel \u00dcbung \u65e5\u672c \u2713");
    EXPECT_EQ(reportedPathOfCopy(unusual), (unusual / serviceplatform::executablePath().filename()).u8string());
}

#ifndef _WIN32
// Windows cannot start a program from beyond MAX_PATH at all (CreateProcess), so only
// here can a copy show that the helper grows its buffer.
TEST(ExecutablePath, FollowsAProgramWithAPathLongerThanTheFirstBuffer)
{
    const TemporaryDirectory temporary("quarnel-exepath");
    fs::path deep = temporary / "deep";
    while (deep.native().size() < 600) {
        deep /= std::string(60, 'd');
    }
    EXPECT_EQ(reportedPathOfCopy(deep), (deep / serviceplatform::executablePath().filename()).u8string());
}
#endif

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == reportOption) {
        return reportExecutablePath();
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
