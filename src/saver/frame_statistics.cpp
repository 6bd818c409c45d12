// Counting frames and presentations for the frame-rate diagnostics.
#include "saver/frame_statistics.h"

#include <cstdio>

namespace velnor {

std::optional<std::string> FrameStatistics::CountFrame(std::int64_t frameStart, std::int64_t now,
                                                       const FramePresentations& presented) {
    presentations_ += presented.areas;
    wholePresentations_ += presented.whole;
    if (firstFrameStart_ < 0) firstFrameStart_ = lastLine_ = frameStart;
    if (lastFrameStart_ >= 0 && frameStart - lastFrameStart_ > longestFrame_) {
        longestFrame_ = frameStart - lastFrameStart_;
    }
    lastFrameStart_ = frameStart;
    ++frames_;
    if (now - lastLine_ < 1'000'000) return std::nullopt;
    lastLine_ = now;
    const double seconds = static_cast<double>(now - firstFrameStart_) / 1e6;
    char text[200];
    const int length = std::snprintf(
        text, sizeof text,
        "frames=%lld seconds=%.3f fps=%.2f longest_frame_ms=%.3f presentations=%lld whole=%lld\n",
        static_cast<long long>(frames_), seconds,
        seconds > 0 ? static_cast<double>(frames_) / seconds : 0.0,
        static_cast<double>(longestFrame_) / 1000.0, static_cast<long long>(presentations_),
        static_cast<long long>(wholePresentations_));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace velnor
