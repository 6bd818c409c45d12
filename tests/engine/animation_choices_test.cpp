// The animation's tilt cycle and its choices: the tilt clamped at its bounds with the
// re-choice at the end of an opening phase, shape and colour kept without random flags,
// the random ranges covered exactly, and the same choices from the same seed.
#include "engine/animation.h"

#include <gtest/gtest.h>

#include <optional>

#include "engine/orbiting_ball.h"
#include "scene_settings.h"

namespace velnor {
namespace {

using velnor::testing::DefaultSceneSettings;

// A fingerprint of what a re-choice may change: settings, grid and sprite.
struct Chosen {
    int aspect, depth;
    std::optional<std::int16_t> preset;
    float poleZ;
    Surface sprite;
    bool operator==(const Chosen&) const = default;
};
Chosen Fingerprint(const Animation& a) {
    const SaverSettings& s = a.settings();
    return {s.aspectTenths, s.perspectiveDepth, s.chosenPreset, a.wireBall().modelZ[1][1],
            a.sprite()};
}

TEST(AnimationChoices, TiltClampsAtItsBoundsAndReChoosesOnlyAtTheEndOfOpening) {
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

TEST(AnimationChoices, WithoutRandomFlagsACycleKeepsShapeAndColour) {
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

TEST(AnimationChoices, RandomChoicesCoverExactlyTheirRanges) {
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
        ASSERT_TRUE(s.chosenPreset);
        const auto preset = static_cast<std::size_t>(*s.chosenPreset);
        presets.insert(*s.chosenPreset);
        ASSERT_EQ(s.ballColour[0], s.presetRed[preset]);
        ASSERT_EQ(s.ballColour[1], s.presetGreen[preset]);
        ASSERT_EQ(s.ballColour[2], s.presetBlue[preset]);
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

TEST(AnimationChoices, SameSeedSameAnimationOtherSeedOtherChoices) {
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

}  // namespace
}  // namespace velnor
