// The animation's motion: orbit points and the clock's wrap at 60, the depth order, the
// tilt cycle with its re-choice at the end of an opening phase, the random ranges, the
// spin kept exact over tens of millions of frames, and the frame delay.
#include "engine/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "engine/orbiting_ball.h"
#include "scene_settings.h"

namespace velnor {
namespace {

using velnor::testing::DefaultSceneSettings;

TEST(AnimationMotion, OrbitPointsAtTheQuarterHoursAndTheWrapAt60) {
    Animation a(DefaultSceneSettings(), 1024, 768, 1);
    EXPECT_EQ(a.centreX(), 512);
    EXPECT_EQ(a.centreY(), 384);
    // clock at the start of a frame -> sprite corner; the orbit point from 60 is the one
    // from 0, because the clock wraps first.
    const std::map<double, std::pair<float, float>> expected = {
        {15, {872, 360}}, {30, {488, 744}}, {45, {104, 360}}, {60, {488, -24}}};
    std::set<double> seen;
    int wraps = 0;
    for (int frame = 0; frame < 1400; ++frame) {
        const double before = a.motion().clockAngle;
        a.AdvanceMotion();  // no tilt step: orbitRadiusY stays centreY
        const MotionState& m = a.motion();
        if (before == 60) {
            ++wraps;
            EXPECT_EQ(m.clockAngle, 0.1);
        }
        ASSERT_GE(m.clockAngle, 0.1);
        ASSERT_LE(m.clockAngle, 60.0);
        if (const auto it = expected.find(before); it != expected.end()) {
            seen.insert(before);
            EXPECT_EQ(m.spriteLeft, it->second.first) << before;
            EXPECT_EQ(m.spriteTop, it->second.second) << before;
        }
        if (frame == 149) {
            EXPECT_EQ(m.clockAngle, 60.0);
        }  // 45 + 150 * 0.1, exactly
        if (frame == 749) {
            EXPECT_EQ(m.clockAngle, 60.0);
        }  // one revolution per 600 frames
    }
    EXPECT_EQ(seen.size(), expected.size());
    EXPECT_EQ(wraps, 3);
}

TEST(AnimationMotion, SpriteCornerFloorsTheOrbitPointOfAClosingOrbit) {
    Animation a(DefaultSceneSettings(), 1024, 768, 1);
    a.AdvanceTilt();  // the orbit's vertical semi-axis is now 383.95
    ASSERT_EQ(a.motion().orbitRadiusY, static_cast<float>(384 - 0.05));
    std::map<double, std::pair<float, float>> corners;  // clock before the frame -> corner
    for (int frame = 0; frame < 600; ++frame) {
        const double before = a.motion().clockAngle;
        a.AdvanceMotion();
        corners[before] = {a.motion().spriteLeft, a.motion().spriteTop};
    }
    // Bottom: 384 + floor(383.95) - 24. Top (the frame that wraps 60 to 0):
    // 384 + floor(-383.95) - 24, towards minus infinity. The horizontal semi-axis stays 384.
    EXPECT_EQ(corners[30], (std::pair{488.0f, 743.0f}));
    EXPECT_EQ(corners[60], (std::pair{488.0f, -24.0f}));
    EXPECT_EQ(corners[15], (std::pair{872.0f, 360.0f}));
}

TEST(AnimationMotion, InFrontOnTheLowerHalfOfTheOrbitOnly) {
    Animation a(DefaultSceneSettings(), 640, 480, 1);
    a.AdvanceMotion();
    EXPECT_EQ(a.motion().clockAngle, 45.1);
    EXPECT_FALSE(a.motion().inFront);  // the first frame: behind
    std::map<double, bool> found;
    for (int frame = 0; frame < 700; ++frame) {
        a.AdvanceMotion();
        found[a.motion().clockAngle] = a.motion().inFront;
    }
    const std::pair<double, bool> cases[] = {{0.1, false},  {14.9, false}, {15.0, true},
                                             {30.0, true},  {45.0, true},  {45.1, false},
                                             {59.9, false}, {60.0, false}};
    for (const auto& [clock, inFront] : cases) {
        ASSERT_TRUE(found.contains(clock)) << clock;
        EXPECT_EQ(found[clock], inFront) << clock;
    }
}

TEST(AnimationMotion, DepthChangesExactlyTwicePerRevolutionAndFollowsTheDrawnPosition) {
    Animation a(DefaultSceneSettings(), 1024, 768, 1);
    a.AdvanceMotion();
    bool previous = a.motion().inFront;
    for (int revolution = 0; revolution < 3; ++revolution) {
        int changes = 0;
        for (int frame = 0; frame < 600; ++frame) {
            a.AdvanceMotion();
            const MotionState& m = a.motion();
            changes += m.inFront != previous;
            previous = m.inFront;
            // A sprite wholly below the orbit's centre line is on its near half, one
            // wholly above it on the far half (the top of the orbit, the wrap included).
            if (m.spriteTop >= 384) {
                ASSERT_TRUE(m.inFront) << m.clockAngle;
            }
            if (m.spriteTop + kSpriteSize <= 384) {
                ASSERT_FALSE(m.inFront) << m.clockAngle;
            }
        }
        EXPECT_EQ(changes, 2) << revolution;
    }
}

// A fingerprint of what a re-choice may change: settings, grid and sprite.
struct Chosen {
    int aspect, depth, preset;
    float poleZ;
    Surface sprite;
    bool operator==(const Chosen&) const = default;
};
Chosen Fingerprint(const Animation& a) {
    const SaverSettings& s = a.settings();
    return {s.aspectTenths, s.perspectiveDepth, s.presetIndex, a.wireBall().modelZ[1][1],
            a.sprite()};
}

TEST(AnimationMotion, TiltClampsAtItsBoundsAndReChoosesOnlyAtTheEndOfOpening) {
    SaverSettings settings = DefaultSceneSettings();
    settings.randomFlags = {1, 1, 1};
    Animation a(settings, 40, 20, 7);  // centreY 10: each phase lasts about 200 frames
    const float centreY = 10;
    int closings = 0, openings = 0, changes = 0;
    Chosen before = Fingerprint(a);
    for (int frame = 0; frame < 4000; ++frame) {
        const bool wasClosing = a.motion().closing;
        a.AdvanceTilt();
        const MotionState& m = a.motion();
        ASSERT_GE(m.orbitRadiusY, 0.0f);
        ASSERT_LE(m.orbitRadiusY, centreY);
        const bool openingEnded = !wasClosing && m.closing;
        if (wasClosing && !m.closing) {
            ++closings;
            EXPECT_EQ(m.orbitRadiusY, 0.0f);
        }
        if (openingEnded) {
            ++openings;
            EXPECT_EQ(m.orbitRadiusY, centreY);
            EXPECT_EQ(a.tiltInput(), 0.0f);
        }
        const Chosen after = Fingerprint(a);
        if (!(after == before)) {
            ++changes;
            ASSERT_TRUE(openingEnded) << "re-choice at frame " << frame;
        }
        before = after;
    }
    EXPECT_NEAR(closings, 10, 1);  // 4000 frames of about 200 per phase
    EXPECT_NEAR(openings, 10, 1);
    EXPECT_GE(changes, 8);  // a re-choice can by chance repeat everything, but not often
}

TEST(AnimationMotion, WithoutRandomFlagsACycleKeepsShapeAndColour) {
    SaverSettings settings = DefaultSceneSettings();
    settings.randomFlags = {0, 2, -1};  // only 1 means random
    Animation a(settings, 40, 20, 3);
    const WireBall grid = a.wireBall();
    for (int frame = 0; frame < 1000; ++frame) a.AdvanceTilt();
    EXPECT_EQ(a.settings().aspectTenths, 10);
    EXPECT_EQ(a.settings().perspectiveDepth, 20);
    EXPECT_EQ(a.settings().ballColour, settings.ballColour);
    EXPECT_EQ(a.wireBall().modelX, grid.modelX);
    EXPECT_EQ(a.wireBall().modelZ, grid.modelZ);
    // The sprite keeps the configured colour's rings whatever the highlight.
    std::set<Pixel> rings{0};
    for (int k = 0; k < 12; ++k) rings.insert(PixelFromRgb(72 + 16 * k, 32 + 16 * k, 56 + 16 * k));
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) ASSERT_TRUE(rings.contains(a.sprite().at(x, y)));
    }
}

TEST(AnimationMotion, RandomChoicesCoverExactlyTheirRanges) {
    SaverSettings settings = DefaultSceneSettings();
    settings.randomFlags = {1, 1, 1};
    settings.ballColour = {1, 2, 3};
    Animation a(settings, 100, 100, 11);
    EXPECT_NE(a.settings().ballColour, settings.ballColour);  // replaced before any frame
    std::set<int> aspects, depths, presets;
    for (int n = 0; n < 3000; ++n) {
        a.Rerandomise();
        const SaverSettings& s = a.settings();
        aspects.insert(s.aspectTenths);
        depths.insert(s.perspectiveDepth);
        presets.insert(s.presetIndex);
        ASSERT_EQ(s.ballColour[0], s.presetRed[s.presetIndex]);
        ASSERT_EQ(s.ballColour[1], s.presetGreen[s.presetIndex]);
        ASSERT_EQ(s.ballColour[2], s.presetBlue[s.presetIndex]);
    }
    EXPECT_EQ(aspects.size(), 13u);
    EXPECT_EQ(*aspects.begin(), 4);
    EXPECT_EQ(*aspects.rbegin(), 16);
    EXPECT_EQ(depths.size(), 14u);
    EXPECT_EQ(*depths.begin(), 12);
    EXPECT_EQ(*depths.rbegin(), 25);
    EXPECT_EQ(presets.size(), 10u);
    EXPECT_EQ(*presets.begin(), 0);
    EXPECT_EQ(*presets.rbegin(), 9);
}

TEST(AnimationMotion, SameSeedSameAnimationOtherSeedOtherChoices) {
    SaverSettings settings = DefaultSceneSettings();
    settings.randomFlags = {1, 1, 1};
    Animation a(settings, 100, 100, 5), b(settings, 100, 100, 5);
    std::set<int> seedsDiffer;
    for (std::uint64_t seed = 6; seed < 16; ++seed) {
        Animation c(settings, 100, 100, seed);
        if (!(Fingerprint(c) == Fingerprint(a))) seedsDiffer.insert(static_cast<int>(seed));
    }
    EXPECT_GE(seedsDiffer.size(), 8u);
    for (int n = 0; n < 5; ++n) a.Rerandomise(), b.Rerandomise();
    EXPECT_TRUE(Fingerprint(a) == Fingerprint(b));
}

// The spin angle the projection derives from spinInput, as the projection computes it.
double SpinAngle(float spinInput, int screenWidth) {
    const float halfW = static_cast<float>(screenWidth) / 2.0f;
    return static_cast<float>((spinInput - static_cast<double>(halfW)) / halfW * (3.1415927 / 2));
}

TEST(AnimationMotion, SpinKeepsItsRateAndDirectionForTensOfMillionsOfFrames) {
    for (const int width : {1024, 1366, 3840}) {
        Animation a(DefaultSceneSettings(), width, 768, 1);
        const double step = M_PI / 300;
        double previous = SpinAngle(a.motion().spinInput, width);
        double worstFirstTurn = 0, worstLater = 0;
        const long frames = width == 1024 ? 20'000'000 : 2'000'000;
        for (long n = 1; n <= frames; ++n) {
            a.AdvanceMotion();
            const float spin = a.motion().spinInput;
            ASSERT_LE(std::abs(spin), static_cast<float>(width) + a.motion().spinStep) << n;
            const double angle = SpinAngle(spin, width);
            // The angle falls by one step per frame, modulo whole turns.
            const double turned = std::remainder(previous - angle, 2 * 3.1415927);
            const double error = std::abs(turned - step);
            (n <= 600 ? worstFirstTurn : worstLater) =
                std::max(n <= 600 ? worstFirstTurn : worstLater, error);
            previous = angle;
        }
        EXPECT_LT(worstFirstTurn, 1e-5) << width;
        EXPECT_LE(worstLater, worstFirstTurn * 2 + 1e-6) << width;  // direction never reverses
    }
}

TEST(AnimationMotion, NegativeFrameDelayCountsAsNoDelay) {
    EXPECT_EQ(EffectiveFrameDelayMs(-1), 0);
    EXPECT_EQ(EffectiveFrameDelayMs(-32768), 0);
    EXPECT_EQ(EffectiveFrameDelayMs(0), 0);
    EXPECT_EQ(EffectiveFrameDelayMs(10), 10);
    EXPECT_EQ(EffectiveFrameDelayMs(32767), 32767);
}

}  // namespace
}  // namespace velnor
