// Frame times of a velnor-render run with --timing: each frame is paced to the saver's
// 10 ms floor, and the report compares the longest frame around a picture change with
// the time the same change takes when decoded and composed on the frame loop itself.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "settings/saver_settings.h"

namespace velnor::render {

class FrameTimes {
  public:
    using Clock = std::chrono::steady_clock;

    // Records the work of frame `frame` that started at `start`; `pictureChanged` marks the
    // frame that swapped in a new background.
    void Add(long long frame, Clock::time_point start, bool pictureChanged);

    // The text report; `inLoopChangeMs` is the baseline measured by InLoopChangeMs.
    std::string Report(double inLoopChangeMs) const;

  private:
    std::vector<double> milliseconds_;
    std::vector<long long> changes_;  // frames that swapped in a picture
};

// Waits until the saver's 10 ms frame floor has passed since `start`.
void PaceFrame(FrameTimes::Clock::time_point start);

// Milliseconds that decoding and composing the folder's first picture take on the calling
// thread, as a frame loop without the worker would spend them in one frame; 0 when the
// settings use no folder pictures.
double InLoopChangeMs(const SaverSettings& settings, int width, int height);

}  // namespace velnor::render
