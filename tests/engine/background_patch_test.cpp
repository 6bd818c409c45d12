// The compact background copy restores exactly what a restore from the whole background
// does, for any area and any history of covered areas, and stays small.
#include "engine/background_patch.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <tuple>

#include "engine/frame.h"
#include "pixel_checks.h"

namespace velnor {
namespace {

using velnor::testing::NumberedSurface;

Rect RandomRect(std::mt19937& random, int width, int height) {
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution(low, high)(random);
    };
    if (pick(0, 20) == 0) return Rect{INT_MIN, INT_MIN + 5, INT_MAX, INT_MAX};
    const int left = pick(-30, width + 10), top = pick(-30, height + 10);
    return Rect{left, top, left + pick(-5, width / 2), top + pick(-5, height / 2)};
}

TEST(BackgroundPatch, RestoresWhatTheWholeBackgroundWouldForAnyAreaAndHistory) {
    std::mt19937 random(7);
    for (const auto& [width, height, backgroundWidth] :
         {std::tuple{300, 200, 300}, {300, 200, 250}, {64, 48, 0}}) {
        const Surface background = NumberedSurface(backgroundWidth, backgroundWidth ? 180 : 0);
        BackgroundPatch patch;
        Surface patched(width, height, 0x123456), plain(width, height, 0x123456);
        for (int step = 0; step < 2000; ++step) {
            if (random() % 50 == 0) patch.Clear();
            patch.Cover(background, RandomRect(random, width, height));
            const Rect area = Intersect(RandomRect(random, width, height), patched.bounds());
            patch.Restore(patched, background, area);
            RestoreBackground(plain, background, area);
            ASSERT_EQ(patched, plain) << "width " << width << " step " << step;
            ASSERT_EQ(Intersect(patch.area(), background.bounds()), patch.area());
        }
    }
}

TEST(BackgroundPatch, HoldsTheCoveredAreaWithAMarginAndNothingAsWideAsHalfTheBackground) {
    const Surface background = NumberedSurface(1920, 1080);
    BackgroundPatch patch;
    patch.Cover(background, Rect{900, 500, 1000, 600});
    EXPECT_EQ(patch.area(), (Rect{884, 484, 1016, 616}));
    patch.Cover(background, Rect{890, 490, 1010, 610});  // held already: no change
    EXPECT_EQ(patch.area(), (Rect{884, 484, 1016, 616}));
    patch.Cover(background, Rect{1000, 600, 1020, 620});  // grows to hold both
    EXPECT_EQ(patch.area(), (Rect{884, 484, 1036, 636}));

    // Growing to reach the far corner would make it wider than half the background: the
    // patch is dropped and stays empty (no copy every frame) until the background changes.
    patch.Cover(background, Rect{-50, 1070, 20, 1200});
    EXPECT_EQ(patch.area(), Rect{});
    patch.Cover(background, Rect{900, 500, 1000, 600});
    EXPECT_EQ(patch.area(), Rect{});
    patch.Clear();
    patch.Cover(background, Rect{900, 500, 1000, 600});
    EXPECT_EQ(patch.area(), (Rect{884, 484, 1016, 616}));

    BackgroundPatch corner;  // what lies off the background is not held
    corner.Cover(background, Rect{1900, 1070, 1950, 1200});
    EXPECT_EQ(corner.area(), (Rect{1884, 1054, 1920, 1080}));
}

}  // namespace
}  // namespace velnor
