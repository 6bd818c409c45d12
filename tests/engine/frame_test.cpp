// Frame composition: the changed-area path gives every frame exactly the pixels of a full
// clear and redraw, the depth order, unfit points skipped or stopping, and the bounded
// frame with the eye inside the ball (the dialog's still picture: still_picture_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <tuple>

#include "engine/animation.h"
#include "engine/frame.h"
#include "engine/orbiting_ball.h"
#include "pixel_checks.h"
#include "repetitions.h"
#include "scene_settings.h"

namespace velnor {
namespace {

using velnor::testing::DefaultSceneSettings;
using velnor::testing::EveryPixelIs;
using velnor::testing::NumberedSurface;

constexpr Pixel kGreen = 0x00FF00, kCyan = 0x00FFFF, kBlue = 0x0000FF;

Surface Noise(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) s.set(x, y, random() & 0xFFFFFF);
    }
    return s;
}

SaverSettings RandomSettings(std::mt19937& random) {
    SaverSettings s = DefaultSceneSettings();
    const auto pick = [&](int low, int high) {
        return static_cast<std::int16_t>(std::uniform_int_distribution(low, high)(random));
    };
    s.aspectTenths = pick(0, 16);
    s.perspectiveOn = pick(0, 1);
    s.perspectiveDepth = pick(2, 25);  // eye distance 20..250: often inside the ball
    s.scale = pick(20, 150);
    s.randomFlags = {pick(0, 1), pick(0, 1), pick(0, 1)};
    s.ballColour = {pick(0, 127), pick(0, 127), pick(0, 127)};
    s.lineColours = {0, static_cast<ColourRef>(random() & 0xFFFFFF),
                     static_cast<ColourRef>(random() & 0xFFFFFF)};
    return s;
}

bool ChangedOnlyInside(const Surface& before, const Surface& after, const ChangedRects& changed) {
    const std::array<Rect, 4> rects = changed.all();
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.at(x, y) == after.at(x, y)) continue;
            if (std::none_of(rects.begin(), rects.end(), [&](const Rect& r) {
                    return r.contains({x, y});
                })) {
                return false;
            }
        }
    }
    return true;
}

TEST(FrameComposition, ChangedAreaPathEqualsAFullRedrawEveryFrame) {
    std::mt19937 random(2024);
    // On the wider screen the balls are small enough for the lines to be restored from a
    // compact copy of the background; the new picture must replace that copy too.
    for (const auto& [width, height, runs, frames, largestScale] :
         {std::tuple{160, 120, 4, test::Repetitions(3000), 150},
          {400, 225, 2, test::Repetitions(1000), 70}}) {
        for (int run = 0; run < runs; ++run) {
            SaverSettings settings = RandomSettings(random);
            settings.scale = static_cast<std::int16_t>(std::min<int>(settings.scale, largestScale));
            Animation full(settings, width, height, run), partial(settings, width, height, run);
            Surface background = Noise(width, height, run);
            Surface fullFrame(width, height), partialFrame(width, height);
            for (int frame = 0; frame < frames; ++frame) {
                if (frame == frames * 4 / 7) {  // a new background picture arrives
                    background = NumberedSurface(width, height);
                    partial.RequestFullRedraw();
                }
                full.AdvanceMotion();
                partial.AdvanceMotion();
                const Surface shown = partialFrame;
                full.ComposeFrame(fullFrame, background, RestoreMode::kFull);
                partial.ComposeFrame(partialFrame, background);
                ASSERT_EQ(partialFrame, fullFrame) << "run " << run << " frame " << frame;
                // Everything that changed on the screen lies in the reported rectangles, and
                // those lie in the reported area.
                ASSERT_TRUE(ChangedOnlyInside(shown, partialFrame, partial.changedRects()))
                    << "run " << run << " frame " << frame;
                for (const Rect& r : partial.changedRects().all()) {
                    ASSERT_EQ(Unite(r, partial.changedArea()), partial.changedArea());
                }
                full.AdvanceTilt();
                partial.AdvanceTilt();
            }
        }
    }
}

TEST(FrameComposition, ChangedAreaIsTheBallsOutlineNotTheScreen) {
    Animation a(DefaultSceneSettings(), 640, 480, 1);
    Surface frame(640, 480);
    for (int n = 0; n < 50; ++n) {
        a.AdvanceMotion();
        a.ComposeFrame(frame, Surface());
        if (n == 0) {
            EXPECT_EQ(a.changedArea(), (Rect{0, 0, 640, 480}));  // the first frame is whole
        }
    }
    // The ball (radius 128 about (320, 240)) and the sprite of two frames: far less than
    // the screen.
    const Rect changed = a.changedArea();
    EXPECT_LT(changed.width() * changed.height(), 640 * 480 / 2);
    EXPECT_LE(changed.left, 320 - 128);
    EXPECT_GE(changed.right, 320 + 128);
    EXPECT_LE(changed.top, 240 - 128);
    EXPECT_GE(changed.bottom, 240 + 128);
}

TEST(FrameComposition, OrbitingBallCoversTheLinesOnlyWhenInFront) {
    // On a 320 x 240 screen the orbit (semi-axis 120) lies inside the ball (radius 128),
    // so the sprite always overlaps lines.
    Animation a(DefaultSceneSettings(), 320, 240, 4);
    Surface frame(320, 240);
    const Surface black;
    int inFrontFrames = 0, linesOverBall = 0;
    for (int n = 0; n < 600; ++n) {
        a.AdvanceMotion();
        a.ComposeFrame(frame, black);
        const int left = static_cast<int>(a.motion().spriteLeft);
        const int top = static_cast<int>(a.motion().spriteTop);
        bool lineSeen = false;
        for (int y = 0; y < kSpriteSize; ++y) {
            for (int x = 0; x < kSpriteSize; ++x) {
                if (a.mask().at(x, y) != 0 || top + y < 0 || top + y >= 240) continue;
                const Pixel p = frame.at(left + x, top + y);
                if (a.motion().inFront) {
                    ASSERT_EQ(p, a.sprite().at(x, y)) << n;
                } else {
                    lineSeen |= p == kGreen || p == kCyan || p == kBlue;
                }
            }
        }
        inFrontFrames += a.motion().inFront;
        linesOverBall += lineSeen;
        a.AdvanceTilt();
    }
    EXPECT_EQ(inFrontFrames, 301);  // advanced clock 15.0 .. 45.0 in steps of 0.1
    EXPECT_GT(linesOverBall, 250);
}

// A 2 x 2 grid: the parallels and meridians trace the square (1,1) (8,1) (8,8) (1,8).
WireBall Square() {
    WireBall b;
    b.azimuthCount = b.polarCount = 2;
    const float at[2][2][2] = {{{1, 1}, {1, 8}}, {{8, 1}, {8, 8}}};  // [j-1][i-1] = x, y
    for (int j = 1; j <= 2; ++j) {
        for (int i = 1; i <= 2; ++i) {
            b.screenX[j][i] = at[j - 1][i - 1][0];
            b.screenY[j][i] = at[j - 1][i - 1][1];
        }
    }
    return b;
}

TEST(FrameComposition, UnfitPointsAreSkippedWithThePenLeftInPlaceOrStopTheDrawing) {
    const ColourRef parallel = 0x0000FF, meridian = 0x00FF00;  // red, green
    const Pixel red = 0xFF0000, green = 0x00FF00;
    {
        // Point (1, 2) unfit: the second parallel starts from where the first ended, (8, 1),
        // and the first meridian's line to it is left out.
        WireBall b = Square();
        b.screenY[1][2] = 3e9f;
        Surface s(10, 10);
        LinePen pen;
        Rect touched;
        EXPECT_TRUE(DrawWireBall(s, b, parallel, meridian, pen, UnfitPoint::kSkip, &touched));
        EXPECT_TRUE(EveryPixelIs(s, [&](int x, int y) -> Pixel {
            if (x == 8 && y >= 1 && y < 8) return green;  // second meridian drawn last
            if (y == 1 && x >= 1 && x < 8) return red;
            return 0;
        }));
        EXPECT_EQ(touched, (Rect{1, 1, 9, 8}));
        EXPECT_EQ(pen.position(), (Point{8, 8}));
    }
    {
        WireBall b = Square();
        b.screenX[2][1] = std::nanf("");
        Surface s(10, 10);
        LinePen pen;
        EXPECT_FALSE(DrawWireBall(s, b, parallel, meridian, pen, UnfitPoint::kStop, nullptr));
        EXPECT_EQ(s, Surface(10, 10));
    }
}

TEST(FrameComposition, EyeInsideTheBallComposesEveryFrameWithLinesFarOffTheSurface) {
    // Depth 12 and scale 384: the eye 120 pixels from the centre of a 384-pixel ball.
    // Projected points land millions of pixels away; clipping keeps each frame short
    // (the test's time limit would catch a frame that steps through them).
    SaverSettings settings = DefaultSceneSettings();
    settings.perspectiveOn = 1;
    settings.perspectiveDepth = 12;
    settings.scale = 384;
    Animation a(settings, 1024, 768, 9);
    Surface frame(1024, 768);
    const Surface background = Noise(1024, 768, 1);
    float farthest = 0;
    for (int n = 0; n < 400; ++n) {
        a.AdvanceMotion();
        a.ComposeFrame(frame, background);
        for (int i = 1; i <= 21; ++i) {
            for (int j = 1; j <= 21; ++j) {
                farthest = std::max({farthest, std::abs(a.wireBall().screenX[j][i]),
                                     std::abs(a.wireBall().screenY[j][i])});
            }
        }
        if (n % 50 == 0) {
            // Lines that run far off still leave only line pixels (and the sprite) behind.
            const Rect sprite{static_cast<int>(a.motion().spriteLeft),
                              static_cast<int>(a.motion().spriteTop),
                              static_cast<int>(a.motion().spriteLeft) + kSpriteSize,
                              static_cast<int>(a.motion().spriteTop) + kSpriteSize};
            int linePixels = 0;
            for (int y = 0; y < 768; ++y) {
                for (int x = 0; x < 1024; ++x) {
                    const Pixel p = frame.at(x, y);
                    if (p == background.at(x, y) || sprite.contains({x, y})) continue;
                    ASSERT_TRUE(p == kGreen || p == kCyan || p == kBlue)
                        << n << ": " << x << "," << y;
                    ++linePixels;
                }
            }
            EXPECT_GT(linePixels, 0) << n;
        }
        for (int k = 0; k < 40; ++k) a.AdvanceTilt();  // sweep the tilt faster
    }
    EXPECT_GT(farthest, 1e5f);
}

}  // namespace
}  // namespace velnor
