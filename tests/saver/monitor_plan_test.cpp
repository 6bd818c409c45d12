// The plan of saver windows and scenes built from the monitors the system reports.
#include "saver/monitor_plan.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace velnor {
namespace {

constexpr Rect kNoFallback{};

TEST(MonitorPlan, OneMonitorIsExactlyTheWholeScreen) {
    const std::vector<MonitorArea> monitors{{Rect{0, 0, 1024, 768}, true}};
    const auto plan = PlanSaverScreens(monitors, kNoFallback, 7);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0], (SaverScreen{Rect{0, 0, 1024, 768}, 1024, 768, 512, 384, 7}));
}

TEST(MonitorPlan, EveryMonitorGetsItsOwnSceneWithLocalCentre) {
    // A secondary monitor left of the primary (negative coordinates), one above it, the
    // primary reported last: the primary comes first, the others keep their order.
    const std::vector<MonitorArea> monitors{{Rect{-1280, 0, 0, 1024}, false},
                                            {Rect{0, -1080, 1920, 0}, false},
                                            {Rect{0, 0, 1920, 1200}, true}};
    const auto plan = PlanSaverScreens(monitors, kNoFallback, 1);
    ASSERT_EQ(plan.size(), 3u);
    const Rect expectedWindows[] = {{0, 0, 1920, 1200}, {-1280, 0, 0, 1024}, {0, -1080, 1920, 0}};
    const int expectedCentres[][2] = {{960, 600}, {640, 512}, {960, 540}};
    std::set<std::uint64_t> seeds;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plan[i].windowRect, expectedWindows[i]);
        EXPECT_EQ(plan[i].screenWidth, expectedWindows[i].width());
        EXPECT_EQ(plan[i].screenHeight, expectedWindows[i].height());
        EXPECT_EQ(plan[i].centreX, expectedCentres[i][0]);
        EXPECT_EQ(plan[i].centreY, expectedCentres[i][1]);
        seeds.insert(plan[i].seed);
    }
    EXPECT_EQ(seeds.size(), plan.size()) << "each scene needs its own random choices";
}

TEST(MonitorPlan, OddSizesPutTheCentreByTiesToEven) {
    const struct {
        int width, height, centreX, centreY;
    } cases[] = {{1025, 769, 512, 384}, {1027, 771, 514, 386}, {1, 1, 0, 0}, {3, 2, 2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const std::vector<MonitorArea> monitors{{Rect{10, 20, 10 + c.width, 20 + c.height}, true}};
        const auto plan = PlanSaverScreens(monitors, kNoFallback, 0);
        ASSERT_EQ(plan.size(), 1u);
        EXPECT_EQ(plan[0].centreX, c.centreX);
        EXPECT_EQ(plan[0].centreY, c.centreY);
    }
}

TEST(MonitorPlan, EmptyAndMirroredMonitorsAreLeftOut) {
    const std::vector<MonitorArea> monitors{{Rect{0, 0, 1024, 768}, true},
                                            {Rect{0, 0, 1024, 768}, false},
                                            {Rect{1024, 0, 1024, 768}, false},
                                            {Rect{5, 5, 0, 0}, false},
                                            {Rect{1024, 0, 2048, 768}, false}};
    const auto plan = PlanSaverScreens(monitors, kNoFallback, 0);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].windowRect, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(plan[1].windowRect, (Rect{1024, 0, 2048, 768}));
}

TEST(MonitorPlan, FallsBackToThePrimaryScreenWhenNoMonitorIsUsable) {
    const std::vector<MonitorArea> none;
    const std::vector<MonitorArea> emptyOnly{{Rect{0, 0, 0, 0}, true}};
    for (const auto& monitors : {none, emptyOnly}) {
        const auto plan = PlanSaverScreens(monitors, Rect{0, 0, 800, 600}, 0);
        ASSERT_EQ(plan.size(), 1u);
        EXPECT_EQ(plan[0].windowRect, (Rect{0, 0, 800, 600}));
        EXPECT_EQ(plan[0].centreX, 400);
        EXPECT_TRUE(PlanSaverScreens(monitors, kNoFallback, 0).empty());
    }
}

TEST(MonitorPlan, AbsurdMonitorSizesAreCapped) {
    const std::vector<MonitorArea> monitors{{Rect{-2000000000, 0, 2000000000, 100}, true}};
    const auto plan = PlanSaverScreens(monitors, kNoFallback, 0);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].screenWidth, kMaxScreenSide);
    EXPECT_EQ(plan[0].screenHeight, 100);
    EXPECT_EQ(plan[0].windowRect, (Rect{-2000000000, 0, -2000000000 + kMaxScreenSide, 100}));
}

}  // namespace
}  // namespace velnor
