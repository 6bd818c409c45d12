// For measurements: when the environment variable VELNOR_FRAME_STATS names a file, the
// frame statistics line is written there every second, as the Windows program does. Also
// the loop's monotonic clock.
#pragma once

#include <cstdint>
#include <string>

#include "saver/frame_statistics.h"

namespace velnor {

// Microseconds of a monotonic clock.
std::int64_t NowMicroseconds();

class FrameStats {
  public:
    FrameStats();
    // One frame that started at `frameStart` is complete.
    void CountFrame(std::int64_t frameStart, const FramePresentations& presented);

  private:
    std::string path_;
    FrameStatistics statistics_;
};

}  // namespace velnor
