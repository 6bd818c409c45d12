// Pen lines: first pixel in, last pixel out, the tie rule, the pen position, and clipping
// of lines that run anywhere in the 32-bit range against references that do not clip.
#include "engine/line.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "pixel_checks.h"

namespace velnor {
namespace {

using velnor::testing::BoundsOfPixelsOtherThan;
using velnor::testing::EveryPixelIs;
using PixelSet = std::set<std::pair<int, int>>;

constexpr Pixel kInk = 0xFFFFFF;

PixelSet Drawn(const Surface& s) {
    PixelSet set;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.at(x, y) == kInk) set.insert({x, y});
        }
    }
    return set;
}

__extension__ typedef __int128 Wide;

Wide CeilDiv(Wide a, Wide b) {
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// The minor coordinate at major step n: the exact value rounded to the nearest whole
// pixel, a tie going to the smaller coordinate: ceil(exact - 1/2).
long long MinorAt(long long v0, long long dMinor, long long majorLength, long long n) {
    const Wide numerator =
        2 * (static_cast<Wide>(v0) * majorLength + Wide{n} * dMinor) - majorLength;
    return static_cast<long long>(CeilDiv(numerator, 2 * Wide{majorLength}));
}

// Reference 1: walks every step of the whole line and keeps those on the surface.
PixelSet WalkWholeLine(Point a, Point b, int width, int height) {
    PixelSet set;
    const long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
    const long long adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const long long length = xMajor ? adx : ady;
    for (long long n = 0; n < length; ++n) {
        long long x, y;
        if (xMajor) {
            x = a.x + (dx > 0 ? n : -n);
            y = MinorAt(a.y, dy, adx, n);
        } else {
            y = a.y + (dy > 0 ? n : -n);
            x = MinorAt(a.x, dx, ady, n);
        }
        if (x >= 0 && x < width && y >= 0 && y < height) set.insert({int(x), int(y)});
    }
    return set;
}

// Reference 2: for each column (x-major) or row (y-major) of the surface, the step that
// lands there and the rounding rule; no stepping, so it handles any length.
PixelSet EvaluatePerColumn(Point a, Point b, int width, int height) {
    PixelSet set;
    const long long dx = static_cast<long long>(b.x) - a.x, dy = static_cast<long long>(b.y) - a.y;
    const long long adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
    if (adx == 0 && ady == 0) return set;
    if (adx >= ady) {
        for (int x = 0; x < width; ++x) {
            const long long n =
                dx > 0 ? x - static_cast<long long>(a.x) : a.x - static_cast<long long>(x);
            if (n < 0 || n >= adx) continue;
            const long long y = MinorAt(a.y, dy, adx, n);
            if (y >= 0 && y < height) set.insert({x, int(y)});
        }
    } else {
        for (int y = 0; y < height; ++y) {
            const long long n =
                dy > 0 ? y - static_cast<long long>(a.y) : a.y - static_cast<long long>(y);
            if (n < 0 || n >= ady) continue;
            const long long x = MinorAt(a.x, dx, ady, n);
            if (x >= 0 && x < width) set.insert({int(x), y});
        }
    }
    return set;
}

TEST(Line, SmallLinesSetExactlyTheirPixels) {
    struct Case {
        Point from, to;
        PixelSet pixels;
    };
    const Case cases[] = {
        {{1, 2}, {6, 2}, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}},  // right, end left out
        {{6, 2}, {1, 2}, {{6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 2}}},  // left
        {{3, 0}, {3, 3}, {{3, 0}, {3, 1}, {3, 2}}},                  // down from the top edge
        {{3, 9}, {3, 6}, {{3, 9}, {3, 8}, {3, 7}}},                  // up from the bottom edge
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},                  // 45 degrees
        {{9, 0}, {6, 3}, {{9, 0}, {8, 1}, {7, 2}}},  // 45 degrees from the last column
        // Ties halfway between two pixels go up (x-major) or left (y-major), both directions.
        {{0, 0}, {4, 1}, {{0, 0}, {1, 0}, {2, 0}, {3, 1}}},
        {{4, 1}, {0, 0}, {{4, 1}, {3, 1}, {2, 0}, {1, 0}}},
        {{0, 1}, {4, 0}, {{0, 1}, {1, 1}, {2, 0}, {3, 0}}},
        {{4, 0}, {0, 1}, {{4, 0}, {3, 0}, {2, 0}, {1, 1}}},
        {{0, 0}, {1, 4}, {{0, 0}, {0, 1}, {0, 2}, {1, 3}}},
        {{1, 4}, {0, 0}, {{1, 4}, {1, 3}, {0, 2}, {0, 1}}},
        {{0, 0}, {3, 1}, {{0, 0}, {1, 0}, {2, 1}}},  // no tie: 2/3 rounds to 1
        {{5, 5}, {5, 5}, {}},                        // zero length draws nothing
        {{9, 9}, {10, 10}, {{9, 9}}},                // last pixel of the surface
    };
    for (const auto& c : cases) {
        Surface s(10, 10);
        Rect touched;
        DrawLine(s, c.from, c.to, kInk, &touched);
        EXPECT_EQ(Drawn(s), c.pixels)
            << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
        EXPECT_EQ(touched, BoundsOfPixelsOtherThan(s, 0));
    }
}

TEST(Line, PenKeepsPositionAndChainsWithoutGaps) {
    Surface s(10, 10);
    LinePen pen;
    pen.MoveTo({1, 1});
    Rect touched;
    pen.LineTo(s, {5, 1}, kInk, &touched);
    EXPECT_EQ(pen.position(), (Point{5, 1}));
    pen.LineTo(s, {5, 4}, kInk, &touched);
    pen.LineTo(s, {-100, 4}, kInk, &touched);  // off the surface: pen still moves
    EXPECT_EQ(pen.position(), (Point{-100, 4}));
    EXPECT_TRUE(EveryPixelIs(s, [](int x, int y) {
        const bool top = y == 1 && x >= 1 && x <= 4, side = x == 5 && y >= 1 && y <= 3;
        const bool bottom = y == 4 && x <= 5;
        return (top || side || bottom) ? kInk : 0;
    }));
    EXPECT_EQ(touched, (Rect{0, 1, 6, 5}));
}

TEST(Line, LinesOffTheSurfaceTouchNothing) {
    const std::pair<Point, Point> cases[] = {
        {{-5, -5}, {-1, 20}},
        {{10, 0}, {30, 9}},
        {{0, -1}, {9, -1}},
        {{-3, 2}, {2, -3}},
        {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}},
        {{0, 10}, {9, 10}},
        {{12, 12}, {12, 12}},
    };
    for (const auto& [a, b] : cases) {
        Surface s(10, 10);
        Rect touched{1, 2, 3, 4};
        DrawLine(s, a, b, kInk, &touched);
        EXPECT_TRUE(Drawn(s).empty()) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
        EXPECT_EQ(touched, (Rect{1, 2, 3, 4}));
    }
}

TEST(Line, ExtremeDiagonalsAreExact) {
    Surface s(10, 8);
    DrawLine(s, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, kInk);
    EXPECT_TRUE(EveryPixelIs(s, [](int x, int y) { return x == y ? kInk : 0; }));
    Surface t(10, 8);
    DrawLine(t, {INT_MAX, INT_MIN + 9}, {INT_MIN + 9, INT_MAX}, kInk);  // x + y = 8
    EXPECT_TRUE(EveryPixelIs(t, [](int x, int y) { return x + y == 8 ? kInk : 0; }));
}

TEST(Line, RandomLinesMatchAWalkOfTheWholeLine) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> coordinate(-5000, 5000), near(-20, 80);
    for (int i = 0; i < 3000; ++i) {
        const bool close = i % 2 == 0;  // half of them start near or on the surface
        const Point a{close ? near(random) : coordinate(random),
                      close ? near(random) : coordinate(random)};
        const Point b{coordinate(random), coordinate(random)};
        Surface s(64, 48);
        Rect touched;
        DrawLine(s, a, b, kInk, &touched);
        ASSERT_EQ(Drawn(s), WalkWholeLine(a, b, 64, 48))
            << a.x << "," << a.y << " -> " << b.x << "," << b.y;
        ASSERT_EQ(touched, BoundsOfPixelsOtherThan(s, 0));
    }
}

TEST(Line, RandomFarLinesMatchThePerColumnRule) {
    std::mt19937 random(777);
    std::uniform_int_distribution<int> far(-1000000000, 1000000000), any(INT_MIN, INT_MAX),
        near(-10, 70);
    int crossing = 0;
    for (int i = 0; i < 4000; ++i) {
        auto pick = [&](int kind) {
            return kind == 0 ? far(random) : kind == 1 ? any(random) : near(random);
        };
        const int kindA = i % 3, kindB = (i / 3) % 2;
        const Point a{pick(kindA), pick(kindA)}, b{pick(kindB), pick(kindB)};
        Surface s(64, 48);
        Rect touched;
        DrawLine(s, a, b, kInk, &touched);
        const PixelSet expected = EvaluatePerColumn(a, b, 64, 48);
        crossing += expected.empty() ? 0 : 1;
        ASSERT_EQ(Drawn(s), expected) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
        ASSERT_EQ(touched, BoundsOfPixelsOtherThan(s, 0));
    }
    EXPECT_GT(crossing, 500);  // the cases do exercise lines across the surface
}

// Restoring the previous frame's lines from the background sets exactly the pixels the lines
// set, so drawing, restoring and drawing again equals a full clear and redraw.
TEST(Line, CopyLineRestoresExactlyTheDrawnPixels) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coordinate(-100, 150);
    const Surface background = velnor::testing::NumberedSurface(64, 48);
    const Surface ink(64, 48, kInk);
    for (int i = 0; i < 300; ++i) {
        const Point a{coordinate(random), coordinate(random)},
            b{coordinate(random), coordinate(random)};
        Surface drawn = background, copied = background;
        Rect drawnArea, copiedArea;
        DrawLine(drawn, a, b, kInk, &drawnArea);
        CopyLine(copied, ink, a, b, &copiedArea);
        ASSERT_EQ(drawn, copied);
        ASSERT_EQ(drawnArea, copiedArea);
        CopyLine(drawn, background, a, b);
        ASSERT_EQ(drawn, background);
    }
    Surface other(10, 10);
    CopyLine(other, ink, {0, 0}, {9, 9});  // sizes differ: nothing happens
    EXPECT_EQ(other, Surface(10, 10));
}

TEST(Line, BothReferencesAgree) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> coordinate(-300, 300);
    for (int i = 0; i < 500; ++i) {
        const Point a{coordinate(random), coordinate(random)},
            b{coordinate(random), coordinate(random)};
        ASSERT_EQ(WalkWholeLine(a, b, 64, 48), EvaluatePerColumn(a, b, 64, 48));
    }
}

}  // namespace
}  // namespace velnor
