// The frame-rate diagnostics file and the monotonic clock.
#include "x11/frame_stats.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace velnor {

std::int64_t NowMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

FrameStats::FrameStats() {
    if (const char* path = std::getenv("VELNOR_FRAME_STATS")) path_ = path;
}

void FrameStats::CountFrame(std::int64_t frameStart, const FramePresentations& presented) {
    if (path_.empty()) return;
    const auto line = statistics_.CountFrame(frameStart, NowMicroseconds(), presented);
    if (!line) return;
    if (std::FILE* file = std::fopen(path_.c_str(), "w")) {
        std::fwrite(line->data(), 1, line->size(), file);
        std::fclose(file);
    }
}

}  // namespace velnor
