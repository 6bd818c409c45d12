// For measurements: when the environment variable VELNOR_FRAME_STATS names a file, the
// frame count, the rate and the longest frame-to-frame time are written there every
// second, as the Windows program does. Also the loop's monotonic clock.
#pragma once

#include <cstdint>
#include <string>

namespace velnor {

// Microseconds of a monotonic clock.
std::int64_t NowMicroseconds();

class FrameStats {
  public:
    FrameStats();
    // One frame that started at `frameStart` is complete.
    void CountFrame(std::int64_t frameStart);

  private:
    std::string path_;
    std::int64_t first_ = -1;
    std::int64_t last_ = -1;
    std::int64_t longest_ = 0;
    std::int64_t lastWrite_ = 0;
    std::int64_t frames_ = 0;
};

}  // namespace velnor
