// Timed waits are kept while they end near their deadlines and given up for good once most
// of a group miss, as a coarse system tick makes them.
#include "saver/timed_wait_precision.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velnor {
namespace {

bool SufficeAfter(const std::vector<std::int64_t>& misses) {
    TimedWaitPrecision precision;
    for (const std::int64_t miss : misses) precision.Record(miss);
    return precision.timedWaitsSuffice();
}

TEST(TimedWaitPrecision, WaitsThatEndWithinAMillisecondOrSoKeepTimedWaits) {
    EXPECT_TRUE(SufficeAfter({}));
    EXPECT_TRUE(SufficeAfter(std::vector<std::int64_t>(400, 900)));
    EXPECT_TRUE(SufficeAfter(std::vector<std::int64_t>(8, TimedWaitPrecision::kMissAllowed)));
    // Late wakes of a busy machine now and then, however late, among precise ones.
    std::vector<std::int64_t> mostlyPrecise(64, 300);
    mostlyPrecise[20] = 9'000;
    mostlyPrecise[33] = 400'000;
    mostlyPrecise[34] = 1'300'000;
    EXPECT_TRUE(SufficeAfter(mostlyPrecise));
    // Half of a group missing is not yet more than half.
    EXPECT_TRUE(SufficeAfter({0, 0, 0, 0, 9'000, 9'000, 9'000, 9'000}));
}

TEST(TimedWaitPrecision, ACoarseTickGivesUpTimedWaitsForGood) {
    // 10 ms waits on a 15.6 ms tick end up to a tick late.
    std::vector<std::int64_t> ticked;
    for (int i = 0; i < 8; ++i) ticked.push_back((i * 5'600) % 15'600);
    EXPECT_FALSE(SufficeAfter(ticked));
    // Early ends count as misses too.
    EXPECT_FALSE(SufficeAfter(std::vector<std::int64_t>(8, -5'000)));

    TimedWaitPrecision precision;
    for (const std::int64_t miss : ticked) precision.Record(miss);
    for (int i = 0; i < 100; ++i) precision.Record(0);  // never back
    EXPECT_FALSE(precision.timedWaitsSuffice());

    TimedWaitPrecision preferring;
    preferring.PreferTimer();
    EXPECT_FALSE(preferring.timedWaitsSuffice());
}

TEST(TimedWaitPrecision, JudgesOnlyWholeGroupsAndSurvivesAbsurdReadings) {
    std::vector<std::int64_t> sevenCoarse(7, 15'000);
    EXPECT_TRUE(SufficeAfter(sevenCoarse));  // not yet judged
    sevenCoarse.push_back(15'000);
    EXPECT_FALSE(SufficeAfter(sevenCoarse));
    EXPECT_FALSE(SufficeAfter(std::vector<std::int64_t>(8, INT64_MIN)));
    EXPECT_FALSE(SufficeAfter(std::vector<std::int64_t>(8, INT64_MAX)));
}

}  // namespace
}  // namespace velnor
