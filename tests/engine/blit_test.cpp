// Block copies with the three raster operations, fills and area copies: clipping against
// both surfaces at every offset, xor twice restoring, and the masked sprite.
#include "engine/blit.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "engine/circle.h"
#include "pixel_checks.h"

namespace velnor {
namespace {

using velnor::testing::EveryPixelIs;
using velnor::testing::NumberedSurface;

Pixel Combine(Pixel d, Pixel s, RasterOp op) {
    return op == RasterOp::kCopy ? s : op == RasterOp::kAnd ? (d & s) : (d ^ s);
}

TEST(BitBlt, EveryPlacementMatchesAPixelByPixelCopy) {
    const Surface source = NumberedSurface(7, 5, 0x5A0000);
    const Surface before = NumberedSurface(10, 10, 0x0F0F00);
    std::mt19937 random(4);
    std::uniform_int_distribution<int> place(-12, 12), size(-1, 14);
    for (int i = 0; i < 3000; ++i) {
        const int x = place(random), y = place(random), w = size(random), h = size(random);
        const int sx = place(random) / 2, sy = place(random) / 2;
        const auto op = static_cast<RasterOp>(i % 3);
        Surface dst = before;
        const Rect written = BitBlt(dst, x, y, w, h, source, sx, sy, op);
        Rect expectedWritten;
        ASSERT_TRUE(EveryPixelIs(dst,
                                 [&](int px, int py) {
                                     const int u = px - x + sx, v = py - y + sy;
                                     const bool inside =
                                         px >= x && px < x + w && py >= y && py < y + h && u >= 0 &&
                                         u < source.width() && v >= 0 && v < source.height();
                                     if (!inside) return before.at(px, py);
                                     expectedWritten = Unite(expectedWritten, PixelRect({px, py}));
                                     return Combine(before.at(px, py), source.at(u, v), op);
                                 }))
            << x << "," << y << " " << w << "x" << h << " from " << sx << "," << sy;
        ASSERT_EQ(written, expectedWritten);
    }
}

TEST(BitBlt, ExtremeCoordinatesDoNothingAndDoNotOverflow) {
    const Surface source = NumberedSurface(8, 8);
    const Surface before = NumberedSurface(10, 10, 0x330000);
    const int cases[][6] = {
        {INT_MAX, 0, 48, 48, 0, 0},
        {INT_MIN, INT_MIN, 48, 48, 0, 0},
        {0, 0, INT_MAX, INT_MAX, INT_MAX, 0},
        {-48, 0, 48, 48, 0, 0},
        {10, 0, 48, 48, 0, 0},
        {0, 0, 48, 48, 8, 0},
        {0, 0, 5, 5, INT_MIN, INT_MIN},
        {INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX, 0, 0},
    };
    for (const auto& c : cases) {
        Surface dst = before;
        EXPECT_TRUE(
            BitBlt(dst, c[0], c[1], c[2], c[3], source, c[4], c[5], RasterOp::kCopy).empty());
        EXPECT_EQ(dst, before);
    }
    // Huge sizes from the origin copy just the overlap.
    Surface dst = before;
    EXPECT_EQ(BitBlt(dst, 0, 0, INT_MAX, INT_MAX, source, 0, 0, RasterOp::kCopy),
              (Rect{0, 0, 8, 8}));
}

TEST(BitBlt, XorTwiceRestores) {
    const Surface sprite = NumberedSurface(6, 6, 0xABCDEF);
    Surface frame = NumberedSurface(10, 10, 0x123456);
    const Surface original = frame;
    for (const Point at : {Point{2, 2}, Point{-3, 7}, Point{8, -1}}) {
        BitBlt(frame, at.x, at.y, 6, 6, sprite, 0, 0, RasterOp::kXor);
        EXPECT_NE(frame, original);
        BitBlt(frame, at.x, at.y, 6, 6, sprite, 0, 0, RasterOp::kXor);
        EXPECT_EQ(frame, original);
    }
}

// The orbiting ball's drawing: AND with a mask (black disc on white), then XOR with the
// sprite (colours inside the same disc, black outside) gives the sprite inside the disc and
// the untouched frame outside it, also where the square hangs over the surface's edge.
TEST(BitBlt, MaskThenXorPutsTheSpriteInsideTheDiscOnly) {
    Surface mask(48, 48, 0xFFFFFF);
    FillCircle(mask, 24, 24, 24, 0);
    Surface sprite(48, 48, 0);
    for (int k = 0; k < 12; ++k)
        FillCircle(sprite, 24 - k, 24 - k, 24 - 2 * k, 0x202020u + 0x101010u * k);
    for (const Point at : {Point{5, 3}, Point{-20, -30}, Point{50, 10}, Point{-47, 25}}) {
        const Surface frame = NumberedSurface(70, 40, 0x405060);
        Surface s = frame;
        BitBlt(s, at.x, at.y, 48, 48, mask, 0, 0, RasterOp::kAnd);
        BitBlt(s, at.x, at.y, 48, 48, sprite, 0, 0, RasterOp::kXor);
        EXPECT_TRUE(EveryPixelIs(s, [&](int x, int y) {
            const int u = x - at.x, v = y - at.y;
            const bool inSquare = u >= 0 && u < 48 && v >= 0 && v < 48;
            return inSquare && mask.at(u, v) == 0 ? sprite.at(u, v) : frame.at(x, y);
        }));
    }
}

TEST(FillAndCopyRect, AreClippedToEverySurface) {
    const Surface background = NumberedSurface(8, 6, 0x700000);
    const Rect areas[] = {{2, 1, 5, 4},  {-3, -3, 2, 2}, {6, 4, 100, 100},
                          {9, 0, 12, 3}, {3, 3, 3, 9},   {INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
    for (const Rect& area : areas) {
        Surface filled(10, 10, 1);
        FillRect(filled, area, 7);
        EXPECT_TRUE(EveryPixelIs(filled, [&](int x, int y) {
            return area.contains({x, y}) ? 7u : 1u;
        }));
        Surface restored(10, 10, 1);
        CopyRect(restored, background, area);
        EXPECT_TRUE(EveryPixelIs(restored, [&](int x, int y) {
            return area.contains({x, y}) && background.bounds().contains({x, y})
                       ? background.at(x, y)
                       : 1u;
        }));
    }
}

}  // namespace
}  // namespace velnor
