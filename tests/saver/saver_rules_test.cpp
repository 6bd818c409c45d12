// The saver's exit rule for the mouse, its picture timer and the pace of its frames.
#include <gtest/gtest.h>

#include <vector>

#include "saver/frame_pacing.h"
#include "saver/mouse_exit_rule.h"
#include "saver/picture_timer.h"

namespace velnor {
namespace {

TEST(MouseExitRule, FirstMoveRecordsAndOnlyADiagonalStepFromItEnds) {
    MouseExitRule rule;
    EXPECT_FALSE(rule.OnMove(100, 200)) << "the first move only records";
    EXPECT_FALSE(rule.OnMove(100, 200));
    EXPECT_FALSE(rule.OnMove(500, 200)) << "purely horizontal";
    EXPECT_FALSE(rule.OnMove(100, 5)) << "purely vertical";
    EXPECT_TRUE(rule.OnMove(101, 201)) << "a diagonal step of one pixel";
}

TEST(MouseExitRule, TheRecordedPositionNeverMoves) {
    MouseExitRule rule;
    rule.OnMove(10, 10);
    // Drift along the row, then along the first column: never both away from (10, 10)...
    for (int x = 11; x < 50; ++x) EXPECT_FALSE(rule.OnMove(static_cast<float>(x), 10));
    for (int y = 11; y < 50; ++y) EXPECT_FALSE(rule.OnMove(10, static_cast<float>(y)));
    // ...until a position off both.
    EXPECT_TRUE(rule.OnMove(49, 11));
}

TEST(PictureTimer, ChangesWhenTheCountReachesTheInterval) {
    // The ticks (1-based) that bring a change, over the first 65 ticks.
    const auto changesAt = [](std::int16_t interval) {
        PictureTimer timer(interval);
        std::vector<int> ticks;
        for (int tick = 1; tick <= 65; ++tick) {
            if (timer.OnTick()) ticks.push_back(tick);
        }
        return ticks;
    };
    EXPECT_EQ(changesAt(30), (std::vector<int>{30, 60}));
    EXPECT_EQ(changesAt(20), (std::vector<int>{20, 40, 60}));
    std::vector<int> everyTick(65);
    for (int i = 0; i < 65; ++i) everyTick[i] = i + 1;
    for (const std::int16_t interval : std::initializer_list<std::int16_t>{1, 0, -5, -32768}) {
        EXPECT_EQ(changesAt(interval), everyTick) << interval;
    }
    EXPECT_TRUE(changesAt(32767).empty());
}

TEST(FramePacing, EveryFrameLastsAtLeastTenMillisecondsThenItsPause) {
    const struct {
        std::int64_t start, now;
        std::int16_t delay;
        std::int64_t expected;
    } cases[] = {
        {1'000'000, 1'000'300, 0, 1'010'000},   // fast frame: the floor
        {1'000'000, 1'000'300, 10, 1'020'000},  // "slow" setting: floor + 10 ms
        {1'000'000, 1'015'000, 0, 1'015'000},   // a frame slower than the floor: no wait
        {1'000'000, 1'015'000, 5, 1'020'000},   // ...but its pause stays
        {1'000'000, 1'000'300, -1, 1'010'000},  // negative pause (hand-edited): none
        {1'000'000, 1'000'300, -32768, 1'010'000}, {0, 0, 32767, 10'000 + 32'767'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.delay);
        EXPECT_EQ(NextFrameStart(c.start, c.now, c.delay), c.expected);
    }
}

TEST(FramePacing, SmallLatenessIsAbsorbedALongStallIsNot) {
    EXPECT_EQ(PacedFrameStart(50'000, 50'000), 50'000);
    EXPECT_EQ(PacedFrameStart(50'000, 51'500), 50'000);
    EXPECT_EQ(PacedFrameStart(50'000, 50'000 + kFrameLatenessAbsorbed), 50'000);
    EXPECT_EQ(PacedFrameStart(50'000, 50'001 + kFrameLatenessAbsorbed),
              50'001 + kFrameLatenessAbsorbed);
    EXPECT_EQ(PacedFrameStart(50'000, 49'000), 49'000) << "early (first frame): as it is";
    // A run of frames woken 1.2 ms late each still averages the 10 ms floor.
    std::int64_t due = 0, start = 0;
    for (int frame = 0; frame < 100; ++frame) {
        start = PacedFrameStart(due, due + 1'200);
        due = NextFrameStart(start, start + 300, 0);
    }
    EXPECT_EQ(due, 100 * kFrameFloorMicroseconds);
}

}  // namespace
}  // namespace velnor
