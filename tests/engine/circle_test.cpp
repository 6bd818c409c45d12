// Filled discs: pixel centres strictly inside the circle, symmetric edges, the inscribed
// 48-pixel disc of the sprite's mask, clipping, and the returned painted rectangle.
#include "engine/circle.h"

#include <gtest/gtest.h>

#include <climits>

#include "pixel_checks.h"

namespace velnor {
namespace {

using velnor::testing::BoundsOfPixelsOtherThan;
using velnor::testing::EveryPixelIs;

bool CentreInside(int x, int y, int cx, int cy, int r) {
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    return dx * dx + dy * dy < double(r) * r;
}

TEST(FillCircle, SetsThePixelsWhoseCentresLieInside) {
    const int cases[][3] = {{5, 5, 3},  {0, 0, 4},   {10, 10, 2},  {-2, 5, 4},  {20, 15, 12},
                            {3, 29, 1}, {39, 0, 20}, {20, 15, 40}, {-30, 5, 6}, {20, 60, 9}};
    for (const auto& c : cases) {
        Surface s(40, 30, 1);
        const Rect painted = FillCircle(s, c[0], c[1], c[2], 2);
        EXPECT_TRUE(EveryPixelIs(
            s, [&](int x, int y) { return CentreInside(x, y, c[0], c[1], c[2]) ? 2u : 1u; }))
            << c[0] << "," << c[1] << " r " << c[2];
        EXPECT_EQ(painted, BoundsOfPixelsOtherThan(s, 1));
    }
}

TEST(FillCircle, InscribedDiscOfTheSpriteSquare) {
    Surface mask(48, 48, 0xFFFFFF);
    EXPECT_EQ(FillCircle(mask, 24, 24, 24, 0), (Rect{0, 0, 48, 48}));
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            EXPECT_EQ(mask.at(x, y), mask.at(47 - x, y));
            EXPECT_EQ(mask.at(x, y), mask.at(x, 47 - y));
            EXPECT_EQ(mask.at(x, y), mask.at(y, x));
        }
    }
    // The middle rows and columns reach the square's edges; the corners stay white.
    for (const int i : {0, 47}) {
        EXPECT_EQ(mask.at(i, 23), 0u);
        EXPECT_EQ(mask.at(23, i), 0u);
        EXPECT_EQ(mask.at(i, 0), 0xFFFFFFu);
        EXPECT_EQ(mask.at(i, 47), 0xFFFFFFu);
    }
}

TEST(FillCircle, NothingForEmptyRadiusOrFarCentres) {
    const int cases[][3] = {{5, 5, 0},         {5, 5, -3},       {-10, 5, 10},
                            {50, 15, 10},      {INT_MAX, 0, 24}, {INT_MIN, INT_MIN, 24},
                            {0, INT_MAX, 1000}};
    for (const auto& c : cases) {
        Surface s(40, 30, 1);
        EXPECT_TRUE(FillCircle(s, c[0], c[1], c[2], 2).empty());
        EXPECT_EQ(s, Surface(40, 30, 1));
    }
    // A radius far larger than the surface fills all of it.
    Surface s(40, 30, 1);
    EXPECT_EQ(FillCircle(s, 0, 0, INT_MAX, 2), (Rect{0, 0, 40, 30}));
    EXPECT_TRUE(EveryPixelIs(s, [](int, int) { return 2u; }));
}

}  // namespace
}  // namespace velnor
