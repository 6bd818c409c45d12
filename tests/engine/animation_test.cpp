// The animation's motion: orbit points and the clock's wrap at 60, the depth order, the
// spin kept exact over tens of millions of frames, and the frame delay (the tilt cycle and
// its random choices are in animation_choices_test.cpp).
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
