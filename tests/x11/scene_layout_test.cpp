// Scenes of the window the X11 program draws on, from the monitors X reports in root
// coordinates: one per monitor inside the window, or the whole window.
#include "x11/scene_layout.h"

#include <gtest/gtest.h>

namespace velnor {
namespace {

TEST(SceneLayout, RootOverTwoMonitorsGetsASceneCentredOnEach) {
    // The second monitor reported first as primary; a third mirrors the first.
    const std::vector<MonitorArea> monitors{{Rect{0, 0, 1024, 768}, false},
                                            {Rect{1024, 0, 2304, 1024}, true},
                                            {Rect{0, 0, 1024, 768}, false}};
    const auto scenes = PlanWindowScenes(monitors, Rect{0, 0, 2304, 1024}, 5);
    ASSERT_EQ(scenes.size(), 2u);
    EXPECT_EQ(scenes[0].windowRect, (Rect{1024, 0, 2304, 1024}));
    EXPECT_EQ(scenes[0].centreX, 640);
    EXPECT_EQ(scenes[1].windowRect, (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(scenes[1].centreY, 384);
    EXPECT_NE(scenes[0].seed, scenes[1].seed);
}

TEST(SceneLayout, MonitorsAreClippedToTheWindowAndMovedIntoIt) {
    // A window at (100, 50) reaching half-way into the second monitor; a third monitor
    // lies wholly outside it.
    const std::vector<MonitorArea> monitors{{Rect{0, 0, 800, 600}, true},
                                            {Rect{800, 0, 1600, 600}, false},
                                            {Rect{0, 600, 800, 1200}, false}};
    const auto areas = MonitorsInWindow(monitors, Rect{100, 50, 1200, 600});
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[0].bounds, (Rect{0, 0, 700, 550}));
    EXPECT_TRUE(areas[0].primary);
    EXPECT_EQ(areas[1].bounds, (Rect{700, 0, 1100, 550}));
}

TEST(SceneLayout, WithoutMonitorsTheWholeWindowIsOneScene) {
    for (const std::vector<MonitorArea>& monitors :
         {std::vector<MonitorArea>{}, std::vector<MonitorArea>{{Rect{5000, 0, 6000, 800}, true}},
          std::vector<MonitorArea>{{Rect{0, 0, 0, 0}, true}}}) {
        const auto scenes = PlanWindowScenes(monitors, Rect{300, 200, 501, 351}, 9);
        ASSERT_EQ(scenes.size(), 1u);
        EXPECT_EQ(scenes[0].windowRect, (Rect{0, 0, 201, 151}));
        EXPECT_EQ(scenes[0].screenWidth, 201);
        EXPECT_EQ(scenes[0].centreX, 100);  // 100.5 to even
        EXPECT_EQ(scenes[0].centreY, 76);   // 75.5 to even
    }
}

TEST(SceneLayout, BallShrinksToFitASmallGivenWindowOnly) {
    EXPECT_EQ(FittedRadius(128, 1024, 768), 128);  // large enough: the setting stands
    EXPECT_EQ(FittedRadius(128, 427, 300), 90);    // 0.3 of the smaller side
    EXPECT_EQ(FittedRadius(128, 300, 1000), 90);
    EXPECT_EQ(FittedRadius(384, 1280, 1024), 307);
    EXPECT_EQ(FittedRadius(128, 20, 10), kSmallestFittedRadius);
    EXPECT_EQ(FittedRadius(4, 400, 300), 4);  // a smaller setting is never enlarged
}

}  // namespace
}  // namespace velnor
