// Colour-on-colour stretch: exact size is a copy, whole-number enlargement repeats pixels,
// shrinking drops them, and any placement equals the unclipped stretch cut to the surface.
#include "engine/stretch.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "engine/blit.h"
#include "pixel_checks.h"

namespace velnor {
namespace {

using velnor::testing::EveryPixelIs;
using velnor::testing::NumberedSurface;

TEST(StretchBlt, ExactSizeEqualsACopy) {
    const Surface picture = NumberedSurface(9, 7);
    for (const Point at : {Point{0, 0}, Point{3, -2}, Point{-4, 5}}) {
        Surface stretched(10, 10, 1), copied(10, 10, 1);
        const Rect a = StretchBlt(stretched, at.x, at.y, 9, 7, picture, 0, 0, 9, 7);
        const Rect b = BitBlt(copied, at.x, at.y, 9, 7, picture, 0, 0, RasterOp::kCopy);
        EXPECT_EQ(stretched, copied);
        EXPECT_EQ(a, b);
    }
}

TEST(StretchBlt, WholeNumberEnlargementRepeatsEachPixel) {
    const Surface picture = NumberedSurface(5, 4);
    for (const int factor : {2, 3}) {
        Surface s(5 * factor, 4 * factor);
        StretchBlt(s, 0, 0, 5 * factor, 4 * factor, picture, 0, 0, 5, 4);
        EXPECT_TRUE(
            EveryPixelIs(s, [&](int x, int y) { return picture.at(x / factor, y / factor); }));
    }
}

TEST(StretchBlt, ShrinkingTakesThePixelUnderEachCentre) {
    const Surface picture = NumberedSurface(8, 6);
    Surface half(4, 3);
    StretchBlt(half, 0, 0, 4, 3, picture, 0, 0, 8, 6);
    EXPECT_TRUE(EveryPixelIs(half, [&](int x, int y) { return picture.at(2 * x + 1, 2 * y + 1); }));
    Surface odd(3, 2);  // 8 -> 3 columns: centres at 4/3, 4, 20/3 -> 1, 4, 6
    StretchBlt(odd, 0, 0, 3, 2, picture, 0, 0, 8, 6);
    const int columns[] = {1, 4, 6}, rows[] = {1, 4};
    EXPECT_TRUE(EveryPixelIs(odd, [&](int x, int y) { return picture.at(columns[x], rows[y]); }));
}

// Reference: the documented source pixel of every destination pixel, computed directly.
Pixel Expected(const Surface& before, const Surface& src, int px, int py, int x, int y, int w,
               int h, int sx, int sy, int sw, int sh) {
    if (px < x || px >= x + w || py < y || py >= y + h) return before.at(px, py);
    const long long u = sx + (2LL * (px - x) + 1) * sw / (2LL * w);
    const long long v = sy + (2LL * (py - y) + 1) * sh / (2LL * h);
    if (u < 0 || u >= src.width() || v < 0 || v >= src.height()) return before.at(px, py);
    return src.at(static_cast<int>(u), static_cast<int>(v));
}

TEST(StretchBlt, AnyPlacementMatchesTheDirectMapping) {
    const Surface picture = NumberedSurface(11, 9);
    const Surface before = NumberedSurface(20, 16, 0x330000);
    std::mt19937 random(8);
    std::uniform_int_distribution<int> place(-25, 25), size(0, 40), source(-3, 12);
    for (int i = 0; i < 2000; ++i) {
        const int x = place(random), y = place(random), w = size(random), h = size(random);
        const int sx = source(random) / 2, sy = source(random) / 2;
        const int sw = 1 + size(random) / 3, sh = 1 + size(random) / 3;
        Surface s = before;
        StretchBlt(s, x, y, w, h, picture, sx, sy, sw, sh);
        ASSERT_TRUE(EveryPixelIs(s,
                                 [&](int px, int py) {
                                     return Expected(before, picture, px, py, x, y, w, h, sx, sy,
                                                     sw, sh);
                                 }))
            << x << "," << y << " " << w << "x" << h << " from " << sx << "," << sy << " " << sw
            << "x" << sh;
    }
}

// A wide picture fitted to the screen's width comes out higher than the screen and is
// placed above the top edge: the rows cut at the top are those of the unclipped stretch.
TEST(StretchBlt, PictureHangingOverTheTopIsCutLikeTheFullStretch) {
    const Surface picture = NumberedSurface(50, 40);
    Surface full(100, 82);
    StretchBlt(full, 0, 0, 100, 82, picture, 0, 0, 50, 40);
    Surface screen(100, 77, 1);
    const Rect written = StretchBlt(screen, 0, -3, 100, 82, picture, 0, 0, 50, 40);
    EXPECT_EQ(written, (Rect{0, 0, 100, 77}));
    EXPECT_TRUE(EveryPixelIs(screen, [&](int x, int y) { return full.at(x, y + 3); }));
}

TEST(StretchBlt, AbsurdSizesDrawOnlyTheVisiblePart) {
    const Surface picture = NumberedSurface(4, 4);
    Surface s(10, 10, 1);
    EXPECT_TRUE(StretchBlt(s, 0, 0, 0, 5, picture, 0, 0, 4, 4).empty());
    EXPECT_TRUE(StretchBlt(s, 0, 0, 5, 5, picture, 0, 0, -4, 4).empty());
    EXPECT_TRUE(StretchBlt(s, INT_MAX, 0, INT_MAX, 5, picture, 0, 0, 4, 4).empty());
    EXPECT_EQ(s, Surface(10, 10, 1));
    // A huge enlargement shows the top-left source pixel everywhere on the surface.
    EXPECT_EQ(StretchBlt(s, 0, 0, INT_MAX, INT_MAX, picture, 0, 0, 4, 4), (Rect{0, 0, 10, 10}));
    EXPECT_TRUE(EveryPixelIs(s, [&](int, int) { return picture.at(0, 0); }));
    // A huge source shrunk to the surface only reads pixels inside the picture.
    Surface t(10, 10, 1);
    StretchBlt(t, 0, 0, 10, 10, picture, 0, 0, INT_MAX, INT_MAX);
    EXPECT_EQ(t, Surface(10, 10, 1));
}

}  // namespace
}  // namespace velnor
