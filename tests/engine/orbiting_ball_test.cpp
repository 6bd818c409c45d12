// The orbiting ball's sprite: ring colours and their limit at 255, the four highlight
// directions, black everywhere outside the mask's disc, a repaint independent of what the
// sprite held, the mask, and the masked copy onto a frame.
#include <gtest/gtest.h>

#include <tuple>

#include "engine/orbiting_ball.h"
#include "pixel_checks.h"

namespace velnor {
namespace {

using velnor::testing::EveryPixelIs;
using velnor::testing::NumberedSurface;

constexpr Pixel kBlack = 0;
constexpr Pixel kWhite = 0xFFFFFF;

Surface Painted(int r, int g, int b, int highlight) {
    Surface sprite(kSpriteSize, kSpriteSize, kBlack);
    PaintOrbitingBall(sprite, r, g, b, highlight);
    return sprite;
}

// The centre of gravity of the brightest pixels.
std::pair<double, double> Highlight(const Surface& s) {
    Pixel top = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) top = std::max(top, s.at(x, y) & 0xFF);
    }
    double sx = 0, sy = 0, n = 0;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if ((s.at(x, y) & 0xFF) == top) sx += x + 0.5, sy += y + 0.5, ++n;
        }
    }
    return {sx / n, sy / n};
}

TEST(OrbitingBall, RingsBrightenBy16FromTheBaseAtTheRimAndStopAt255) {
    const std::tuple<int, int, int, Pixel, Pixel> cases[] = {
        // base, rim pixel, highlight pixel (base + 176, limited)
        {0, 0, 0, PixelFromRgb(0, 0, 0), PixelFromRgb(176, 176, 176)},
        {72, 32, 56, PixelFromRgb(72, 32, 56), PixelFromRgb(248, 208, 232)},
        {200, 0, 100, PixelFromRgb(200, 0, 100), PixelFromRgb(255, 176, 255)},
        {255, 255, 255, kWhite, kWhite},
        {300, 127, 0, PixelFromRgb(255, 127, 0), PixelFromRgb(255, 255, 176)},
        // A negative component (hand-edited file) counts as 0 instead of wrapping.
        {-50, 10, 10, PixelFromRgb(0, 10, 10), PixelFromRgb(176, 186, 186)},
    };
    for (const auto& [r, g, b, rim, highlight] : cases) {
        const Surface s = Painted(r, g, b, 0);
        EXPECT_EQ(s.at(24, 46), rim) << r << "," << g << "," << b;  // only ring 0 there
        EXPECT_EQ(s.at(13, 13), highlight);                         // ring 11 about (13, 13)
    }
    // Every ring colour appears, in order from the rim inwards along the diagonal.
    const Surface s = Painted(0, 0, 0, 0);
    Pixel previous = s.at(40, 40);
    for (int d = 39; d >= 13; --d) {
        EXPECT_GE(s.at(d, d) & 0xFF, previous & 0xFF) << d;
        previous = s.at(d, d);
    }
    EXPECT_EQ(previous, PixelFromRgb(176, 176, 176));
}

TEST(OrbitingBall, HighlightLiesInTheDirectionOfItsNumberAndCornersStayBlack) {
    // The last ring (k = 11, radius 2) is the highlight; its centre walks from (24, 24)
    // by 11 pixels, except that highlight 2 keeps the constant horizontal offset of -1.
    const struct {
        int q;
        double x, y;
    } directions[] = {
        {0, 13, 13},  // up and left
        {1, 35, 35},  // down and right
        {2, 23, 35},  // down
        {3, 35, 13},  // up and right
    };
    for (const auto& d : directions) {
        const Surface s = Painted(40, 20, 60, d.q);
        const auto [x, y] = Highlight(s);
        EXPECT_EQ(x, d.x) << d.q;
        EXPECT_EQ(y, d.y) << d.q;
        for (const auto& [cx, cy] : {std::pair{0, 0}, {47, 0}, {0, 47}, {47, 47}, {3, 3}}) {
            EXPECT_EQ(s.at(cx, cy), kBlack) << d.q;
        }
    }
}

TEST(OrbitingBall, OutsideTheMaskTheSpriteIsBlackForEveryHighlightPaintedTwiceInARow) {
    // The masked copy XORs whatever lies outside the disc onto the frame: over a white
    // picture it would show as a coloured arc at the ball's edge.
    const Surface mask = MakeOrbitingBallMask();
    const Surface picture(kSpriteSize, kSpriteSize, kWhite);
    for (int first = 0; first < kHighlightDirections; ++first) {
        for (int second = 0; second < kHighlightDirections; ++second) {
            Surface sprite(kSpriteSize, kSpriteSize, kBlack);
            for (const auto& [r, g, b, q] : {std::tuple{200, 40, 90, first}, {1, 1, 1, second}}) {
                PaintOrbitingBall(sprite, r, g, b, q);
                EXPECT_TRUE(EveryPixelIs(sprite,
                                         [&](int x, int y) {
                                             return mask.at(x, y) == kWhite ? kBlack
                                                                            : sprite.at(x, y);
                                         }))
                    << first << " then " << second << ", after " << q;
                Surface frame = picture;
                DrawOrbitingBall(frame, 0, 0, mask, sprite);
                EXPECT_TRUE(EveryPixelIs(frame,
                                         [&](int x, int y) {
                                             return mask.at(x, y) == kWhite ? kWhite
                                                                            : sprite.at(x, y);
                                         }))
                    << first << " then " << second << ", after " << q;
            }
        }
    }
}

TEST(OrbitingBall, MaskIsTheInscribedDiscThatTheFirstRingCovers) {
    const Surface mask = MakeOrbitingBallMask();
    const Surface s = Painted(1, 1, 1, 0);  // every ring pixel is non-black
    EXPECT_TRUE(
        EveryPixelIs(mask, [&](int x, int y) { return s.at(x, y) != kBlack ? kBlack : kWhite; }));
    EXPECT_EQ(mask.at(24, 24), kBlack);
    EXPECT_EQ(mask.at(0, 24), kBlack);
    EXPECT_EQ(mask.at(47, 24), kBlack);
    EXPECT_EQ(mask.at(1, 1), kWhite);
}

TEST(OrbitingBall, ARepaintDoesNotDependOnWhatTheSpriteHeld) {
    // Highlight 2's ring 0 leaves a crescent at the right edge of the disc; it shows the
    // rim colour, not a colour of the previous ball.
    for (int before = 0; before < kHighlightDirections; ++before) {
        for (int q = 0; q < kHighlightDirections; ++q) {
            Surface s = Painted(255, 0, 0, before);
            PaintOrbitingBall(s, 0, 0, 40, q);
            EXPECT_EQ(s, Painted(0, 0, 40, q)) << before << " then " << q;
        }
    }
    EXPECT_EQ(Painted(0, 0, 40, 2).at(47, 24), PixelFromRgb(0, 0, 40));
    Surface grey(kSpriteSize, kSpriteSize, 0x808080);
    PaintOrbitingBall(grey, 0, 0, 40, 1);
    EXPECT_EQ(grey, Painted(0, 0, 40, 1));
}

TEST(OrbitingBall, DrawnThroughTheMaskOnlyTheDiscChanges) {
    const Surface mask = MakeOrbitingBallMask();
    const Surface sprite = Painted(72, 32, 56, 3);
    for (const auto& [x, y] : {std::pair{10, 5}, {-20, -30}, {70, 50}, {200, 0}}) {
        const Surface frame = NumberedSurface(100, 60);
        Surface target = frame;
        const Rect changed = DrawOrbitingBall(target, x, y, mask, sprite);
        const Rect square = Intersect(Rect{x, y, x + 48, y + 48}, Rect{0, 0, 100, 60});
        EXPECT_EQ(changed, square);
        EXPECT_TRUE(EveryPixelIs(target, [&](int px, int py) {
            const bool inside = square.contains({px, py}) && mask.at(px - x, py - y) == kBlack;
            return inside ? sprite.at(px - x, py - y) : frame.at(px, py);
        }));
    }
}

}  // namespace
}  // namespace velnor
