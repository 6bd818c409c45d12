// The frame rate that -fps shows: a meter counting frames per second of a monotonic
// clock, and its text as a small box for the bottom-left corner of a screen, white on
// black, so it stays legible over any picture. Portable.
#pragma once

#include <cstdint>
#include <optional>
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

// `text` (digits, '.', ':', ' ', 'F', 'P', 'S'; up to "FPS: 99999.9") as white figures
// on a black box of a fixed size, shown over a frame rather than drawn into it.
Surface FrameRateBox(const std::string& text);

// Where the box's top-left corner goes on a screen of `width` x `height`: the bottom-left
// corner, 4 pixels in; nothing when the screen is too small for it.
std::optional<Point> FrameRateBoxPlace(int width, int height);

}  // namespace velnor
