// The frame rate that -fps shows: a meter counting frames per second of a monotonic
// clock, and its text drawn small in the bottom-left corner of a frame, white on a
// black box, so it stays legible over any picture. Portable.
#pragma once

#include <cstdint>
#include <string>

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {

class FrameRateMeter {
  public:
    // One frame ended at `nowMicroseconds`. The rate is renewed once a second.
    void CountFrame(std::int64_t nowMicroseconds);
    // Frames per second over the last whole second; before the first one ended, over
    // the time so far once that is a quarter of a second, and 0 before that.
    double rate() const { return rate_; }

  private:
    std::int64_t since_ = -1;
    int frames_ = 0;
    bool measured_ = false;
    double rate_ = 0;
};

// "FPS: 59.9" for a rate (one decimal).
std::string FrameRateText(double rate);

// Draws `text` (digits, '.', ':', ' ', 'F', 'P', 'S') into `frame`'s bottom-left corner
// and returns the rectangle it painted, which the caller presents with the frame.
Rect DrawFrameRate(Surface& frame, const std::string& text);

}  // namespace velnor
