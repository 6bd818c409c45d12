// Counting frames and presentations for the frame-rate diagnostics.
#include "saver/frame_statistics.h"

#include <algorithm>
#include <cstdio>

#include "settings/file_io.h"

namespace velnor {

std::optional<std::string> FrameStatistics::CountFrame(std::int64_t frameStart, std::int64_t now,
                                                       const FramePresentations& presented) {
    presentations_ += presented.areas;
    wholePresentations_ += presented.whole;
    if (firstFrameStart_ < 0) firstFrameStart_ = lastLine_ = frameStart;
    if (lastFrameStart_ >= 0) {
        const std::int64_t time = frameStart - lastFrameStart_;
        longestFrame_ = std::max(longestFrame_, time);
        const auto step =
            static_cast<std::size_t>(std::max<std::int64_t>(time, 0) / kStepMicroseconds);
        ++frameTimes_[std::min(step, kSteps - 1)];
        ++timedFrames_;
    }
    lastFrameStart_ = frameStart;
    ++frames_;
    if (now - lastLine_ < 1'000'000) return std::nullopt;
    lastLine_ = now;
    const double seconds = static_cast<double>(now - firstFrameStart_) / 1e6;
    char text[200];
    const int length = std::snprintf(
        text, sizeof text,
        "frames=%lld seconds=%.3f fps=%.2f median_frame_ms=%.1f longest_frame_ms=%.3f "
        "presentations=%lld whole=%lld\n",
        static_cast<long long>(frames_), seconds,
        seconds > 0 ? static_cast<double>(frames_) / seconds : 0.0, MedianFrameMilliseconds(),
        static_cast<double>(longestFrame_) / 1000.0, static_cast<long long>(presentations_),
        static_cast<long long>(wholePresentations_));
    return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The median frame time, rounded down to its 0.1 ms step (the lower middle of an even
// count).
double FrameStatistics::MedianFrameMilliseconds() const {
    if (timedFrames_ == 0) return 0.0;
    const std::int64_t middle = (timedFrames_ + 1) / 2;
    std::int64_t counted = 0;
    std::size_t step = 0;
    while (step + 1 < kSteps && (counted += frameTimes_[step]) < middle) ++step;
    return static_cast<double>(step) * kStepMicroseconds / 1000.0;
}

void FrameStatisticsFile::CountFrame(std::int64_t frameStart, std::int64_t now,
                                     const FramePresentations& presented) {
    if (path_.empty()) return;
    const std::optional<std::string> line = statistics_.CountFrame(frameStart, now, presented);
    if (!line) return;
    if (std::FILE* file = OpenFile(path_, "wb")) {
        std::fwrite(line->data(), 1, line->size(), file);
        std::fclose(file);
    }
}

}  // namespace velnor
