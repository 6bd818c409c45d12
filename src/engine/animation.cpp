// The animation's scene set-up, random re-choices and per-frame motion. Numbers keep
// their widths on purpose: the clock is a 64-bit float, positions and the orbit's
// semi-axis are 32-bit floats, products are evaluated in 64 bits.
#include "engine/animation.h"

#include <algorithm>
#include <cmath>

#include "base/rounding.h"
#include "engine/orbiting_ball.h"

namespace velnor {

int EffectiveFrameDelayMs(std::int16_t frameDelayMs) {
    return std::max<int>(frameDelayMs, 0);
}

Animation::Animation(const SaverSettings& settings, int screenWidth, int screenHeight,
                     std::uint64_t seed, double eyeDistanceScale)
    : settings_(settings),
      eyeDistanceScale_(eyeDistanceScale),
      random_(seed),
      sprite_(kSpriteSize, kSpriteSize, 0),
      mask_(MakeOrbitingBallMask(kSpriteSize)),
      screenWidth_(std::max(screenWidth, 0)),
      screenHeight_(std::max(screenHeight, 0)) {
    centreX_ = RoundHalfToEven(screenWidth_ / 2.0).value_or(0);
    centreY_ = RoundHalfToEven(screenHeight_ / 2.0).value_or(0);
    Rerandomise();
    parallelColour_ = settings_.lineColours[1];
    meridianColour_ = settings_.lineColours[2];
    ball_.perspective = settings_.perspectiveOn;
    ball_.radius = settings_.scale;
    BuildBall();

    motion_.orbitRadiusY = static_cast<float>(centreY_);
    motion_.spinInput = static_cast<float>(screenWidth_);
    motion_.spinStep = static_cast<float>(screenWidth_ / 300.0);
}

void Animation::BuildBall() {
    BuildWireBall(ball_, settings_.aspectTenths, settings_.perspectiveDepth, eyeDistanceScale_);
}

void Animation::Rerandomise() {
    if (settings_.randomFlags[0] == 1) {
        settings_.aspectTenths = static_cast<std::int16_t>(std::floor(random_.NextUnit() * 13 + 4));
    }
    if (settings_.randomFlags[1] == 1) {
        settings_.perspectiveDepth =
            static_cast<std::int16_t>(std::floor(random_.NextUnit() * 14 + 12));
    }
    if (settings_.randomFlags[2] == 1) {
        const int index = random_.NextBelow(kPresetCount);
        settings_.chosenPreset = static_cast<std::int16_t>(index);
        settings_.ballColour = {settings_.presetRed[index], settings_.presetGreen[index],
                                settings_.presetBlue[index]};
    }
    PaintOrbitingBall(sprite_, settings_.ballColour[0], settings_.ballColour[1],
                      settings_.ballColour[2], random_.NextBelow(kHighlightDirections));
}

void Animation::AdvanceMotion() {
    MotionState& m = motion_;
    if (m.clockAngle == 60) m.clockAngle = 0;
    const double g = m.clockAngle * 6.28318530717958 / 60 - 1.570796326794895;
    // The horizontal semi-axis of the orbit is centreY, not centreX.
    m.spriteLeft =
        static_cast<float>(centreX_ + std::floor(centreY_ * std::cos(g)) - m.spriteSize / 2);
    m.spriteTop = static_cast<float>(centreY_ +
                                     std::floor(static_cast<double>(m.orbitRadiusY) * std::sin(g)) -
                                     m.spriteSize / 2);
    m.clockAngle = std::nearbyint((m.clockAngle + 0.1) * 10) / 10;

    // The spin angle turns once when spinInput falls by 2 * screenWidth. Left to fall
    // without bound, a 32-bit spinInput loses its fraction bits: the spin first stutters
    // and after days stops. Lifting it by exactly one turn once it passes -screenWidth
    // keeps it in the range of the first turn, where every step is as precise as then.
    m.spinInput = static_cast<float>(static_cast<double>(m.spinInput) - m.spinStep);
    const double turn = 2.0 * screenWidth_;
    if (m.spinInput < -static_cast<double>(screenWidth_)) {
        m.spinInput = static_cast<float>(static_cast<double>(m.spinInput) + turn);
    }

    // In front on the lower half of the orbit. The advanced clock is one step past the
    // angle the position was computed from; at 60 that angle is 59.9, near the top, so the
    // ball stays behind through the wrap instead of flashing over the lines for a frame.
    const double c = m.clockAngle;
    m.inFront = c >= 15 && c <= 45;
}

void Animation::AdvanceTilt() {
    MotionState& m = motion_;
    if (m.closing) {
        m.orbitRadiusY = static_cast<float>(static_cast<double>(m.orbitRadiusY) - 0.05);
        if (m.orbitRadiusY <= 0) {
            m.closing = false;
            m.orbitRadiusY = 0;
        }
        return;
    }
    m.orbitRadiusY = static_cast<float>(static_cast<double>(m.orbitRadiusY) + 0.05);
    if (static_cast<double>(m.orbitRadiusY) >= centreY_) {
        m.closing = true;
        m.orbitRadiusY = static_cast<float>(centreY_);
        Rerandomise();
        BuildBall();
    }
}

float Animation::tiltInput() const {
    return static_cast<float>(centreY_ - static_cast<double>(motion_.orbitRadiusY));
}

}  // namespace velnor
