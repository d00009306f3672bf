// The main of every GoogleTest program. After GoogleTest's own report it prints one
// totals line in the form Qt Test ends with, so that CTest reads both kinds of program
// alike: a program whose cases passed but for some that skipped shows as skipped.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    // A failure outside every case (a suite's set-up, an environment) fails no case.
    const int failed = result == 0 ? 0 : std::max(1, unit.failed_test_count());
    std::printf("Totals: %d passed, %d failed, %d skipped\n", unit.successful_test_count(), failed,
                unit.skipped_test_count());
    std::fflush(stdout);
    return result;
}
