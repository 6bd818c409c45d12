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

void FrameStats::CountFrame(std::int64_t frameStart) {
    if (path_.empty()) return;
    if (first_ < 0) first_ = lastWrite_ = frameStart;
    if (last_ >= 0 && frameStart - last_ > longest_) longest_ = frameStart - last_;
    last_ = frameStart;
    ++frames_;
    const std::int64_t now = NowMicroseconds();
    if (now - lastWrite_ < 1'000'000) return;
    lastWrite_ = now;
    const double seconds = static_cast<double>(now - first_) / 1e6;
    if (std::FILE* file = std::fopen(path_.c_str(), "w")) {
        std::fprintf(file, "frames=%lld seconds=%.3f fps=%.2f longest_frame_ms=%.3f\n",
                     static_cast<long long>(frames_), seconds,
                     seconds > 0 ? static_cast<double>(frames_) / seconds : 0.0,
                     static_cast<double>(longest_) / 1000.0);
        std::fclose(file);
    }
}

}  // namespace velnor
