#include "TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace fs = std::filesystem;

TEST(TemporaryDirectory, EachIsFreshPrivateAndUnderTheSystemsTemporaryDirectory)
{
    const TemporaryDirectory first("quarnel-support");
    const TemporaryDirectory second("quarnel-support");

    EXPECT_NE(first.path(), second.path());
    for (const TemporaryDirectory* directory : {&first, &second}) {
        const fs::path& path = directory->path();
        ASSERT_TRUE(fs::is_directory(path)) << path;
        EXPECT_TRUE(fs::is_empty(path)) << path;
        // Appending "" ends both with a separator, whichever way the system spells the base.
        EXPECT_EQ(path.parent_path() / "", fs::temp_directory_path() / "") << path;
        EXPECT_EQ(path.filename().string().rfind("quarnel-support-", 0), 0u) << path;
#ifndef _WIN32
        // Others could read or plant files in a directory under the shared /tmp.
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms::owner_all) << path;
#endif
    }
}

TEST(TemporaryDirectory, GoesWithEverythingInIt)
{
    fs::path kept;
    {
        const TemporaryDirectory directory("quarnel-support");
        kept = directory.path();
        fs::create_directories(directory / "a" / "b" / "c");
        std::ofstream(directory / "a" / "b" / "file") << "text";
        std::ofstream(directory / "top") << "text";
        fs::create_directory(directory / "empty");
    }
    EXPECT_FALSE(fs::exists(kept)) << kept;
}
