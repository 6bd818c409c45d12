// Frame pacing: a 10 ms floor per frame, then the frame's own pause.
#include "saver/frame_pacing.h"

#include <algorithm>

#include "engine/animation.h"

namespace velnor {

std::int64_t NextFrameStart(std::int64_t frameStart, std::int64_t now, std::int16_t frameDelayMs) {
    const std::int64_t floorEnd = std::max(now, frameStart + kFrameFloorMicroseconds);
    return floorEnd + static_cast<std::int64_t>(EffectiveFrameDelayMs(frameDelayMs)) * 1000;
}

std::int64_t PacedFrameStart(std::int64_t due, std::int64_t actual) {
    return actual >= due && actual - due <= kFrameLatenessAbsorbed ? due : actual;
}

}  // namespace velnor
