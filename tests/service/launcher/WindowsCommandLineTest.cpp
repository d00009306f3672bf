#include "launcher/WindowsCommandLine.h"

#include "CommandLineCases.h"
#include "launcher/TextEncoding.h"

#include <gtest/gtest.h>

using launcher::splitWindowsCommandLine;

namespace {

std::string printable(const std::u16string& text)
{
    std::string utf8;
    launcher::utf16ToUtf8(text, utf8);
    return utf8;
}

TEST(WindowsCommandLine, SplitsAsCommandLineToArgvW)
{
    for (const auto& row : launchertest::commandLineCases()) {
        EXPECT_EQ(splitWindowsCommandLine(row.line), row.arguments) << printable(row.line);
    }
}

TEST(WindowsCommandLine, EmptyLineHasNoArguments)
{
    EXPECT_TRUE(splitWindowsCommandLine(u"").empty());
}

TEST(TextEncoding, RoundTripsAndRefusesMalformedText)
{
    const std::u16string text = u"a\u00e9\u4e2d\U0001F600";
    std::string utf8;
    ASSERT_TRUE(launcher::utf16ToUtf8(text, utf8));
    EXPECT_EQ(utf8, "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
    std::u16string back;
    ASSERT_TRUE(launcher::utf8ToUtf16(utf8, back));
    EXPECT_EQ(back, text);

    // A path must never be changed into another one by a replacement character.
    EXPECT_FALSE(launcher::utf16ToUtf8(std::u16string(1, char16_t(0xD800)), utf8));
    EXPECT_FALSE(launcher::utf16ToUtf8(u"a" + std::u16string(1, char16_t(0xDC00)), utf8));
    for (const std::string bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "\x80", "\xFF"}) {
        EXPECT_FALSE(launcher::utf8ToUtf16(bad, back)) << bad;
    }
}

} // namespace
