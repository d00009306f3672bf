#include "platform/SignatureCheck.h"

#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

using platform::SignedStart;

// Should a refused program run anyway, it only lists its tests.
static const wchar_t* const harmless = L"--gtest_list_tests";

TEST(SignatureCheck, UnsignedProgramOrOtherFileIsRefused)
{
    TemporaryDirectory dir("quarnel-signature");
    // This test program: a real Windows program that nobody signed.
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, &self[0], MAX_PATH));
    const std::filesystem::path program = dir / "quarnel_update.exe";
    std::filesystem::copy_file(self, program);
    EXPECT_EQ(platform::startSignedProgram(program.wstring(), harmless), SignedStart::NotSigned);
    // No handle is left open: the updater deletes a refused file.
    EXPECT_TRUE(std::filesystem::remove(program));

    const std::filesystem::path page = dir / "page.exe";
    std::ofstream(page, std::ios::binary) << "<html>not an installer</html>";
    EXPECT_EQ(platform::startSignedProgram(page.wstring(), harmless), SignedStart::NotSigned);
    EXPECT_EQ(platform::startSignedProgram((dir / "absent.exe").wstring(), harmless), SignedStart::NotStarted);
}
