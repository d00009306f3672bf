#include "ServiceRig.h"

#include "SavedState.h"

#include <gtest/gtest.h>

#include <string>

using service::SavedState;

TEST(SavedState, WritesOneLineWithoutTerminatorAndCreatesTheFolder)
{
    ServiceRig rig;
    const SavedState state(rig.directory / "made" / "here");
    state.save("127.0.0.1;198.51.100.7");
    EXPECT_EQ(readFile(state.filePath()), "127.0.0.1;198.51.100.7");
    state.save("10.0.0.1");
    EXPECT_EQ(readFile(state.filePath()), "10.0.0.1") << "saving truncates";
}

TEST(SavedState, LoadReadsTheFirstLineOnceAndDeletesTheFile)
{
    struct Case
    {
        const char* name;
        std::string content;
        std::string list;
    };
    const Case cases[] = {
        {"one line", "127.0.0.1;198.51.100.7", "127.0.0.1;198.51.100.7"},
        {"empty", "", ""},
        {"first line only", "1.1.1.1\n2.2.2.2", "1.1.1.1"},
        {"at most 15,999 characters", std::string(20000, '9'), std::string(15999, '9')},
    };
    for (const Case& c : cases) {
        ServiceRig rig;
        const SavedState state(rig.directory);
        writeFile(state.filePath(), c.content);
        std::string list = "before";
        ASSERT_TRUE(state.load(list)) << c.name;
        EXPECT_EQ(list, c.list) << c.name;
        EXPECT_FALSE(std::filesystem::exists(state.filePath())) << c.name;
        list = "before";
        EXPECT_FALSE(state.load(list)) << c.name;
        EXPECT_EQ(list, "before") << c.name;
    }
}

TEST(SavedState, WithoutFolderNothingHappens)
{
    const SavedState state{std::filesystem::path()};
    state.save("127.0.0.1");
    std::string list;
    EXPECT_FALSE(state.load(list));
    EXPECT_FALSE(std::filesystem::exists("settings.dat"));
}
