// Frame-rate diagnostics for the measurement tools, kept by the saver loop on every
// platform: frames, presentations, the median and the longest frame-to-frame time, as one
// line of text once a second, written where the environment variable VELNOR_FRAME_STATS
// says.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace velnor {

// What one frame put on the screen, summed over the program's windows or scenes.
struct FramePresentations {
    int areas = 0;  // windows whose change was presented
    int whole = 0;  // of those, windows whose whole frame was presented
};

class FrameStatistics {
  public:
    // Counts one frame that started at `frameStart` (microseconds of a monotonic clock).
    // Returns the line to write when a second has passed since the last line, at `now`:
    // "frames=N seconds=S fps=F median_frame_ms=M longest_frame_ms=L presentations=P
    // whole=W\n", every figure counted from the first frame.
    std::optional<std::string> CountFrame(std::int64_t frameStart, std::int64_t now,
                                          const FramePresentations& presented);
    // The frames stopped for a while (nothing was drawn): the time until the next frame
    // does not count as a frame's.
    void Pause() { lastFrameStart_ = -1; }

  private:
    // Frame-to-frame times in 0.1 ms steps; the last step holds every longer time.
    static constexpr std::int64_t kStepMicroseconds = 100;
    static constexpr std::size_t kSteps = 2'000;

    double MedianFrameMilliseconds() const;

    std::array<std::int64_t, kSteps> frameTimes_{};
    std::int64_t timedFrames_ = 0;
    std::int64_t firstFrameStart_ = -1;
    std::int64_t lastFrameStart_ = -1;
    std::int64_t longestFrame_ = 0;
    std::int64_t lastLine_ = 0;
    std::int64_t frames_ = 0;
    std::int64_t presentations_ = 0;
    std::int64_t wholePresentations_ = 0;
};

// The statistics of one run written to a file, replaced with the newest line once a
// second; nothing is written for an empty path. Failures to write are ignored.
class FrameStatisticsFile {
  public:
    explicit FrameStatisticsFile(std::filesystem::path path) : path_(std::move(path)) {}

    void CountFrame(std::int64_t frameStart, std::int64_t now, const FramePresentations& presented);
    void Pause() { statistics_.Pause(); }

  private:
    std::filesystem::path path_;
    FrameStatistics statistics_;
};

// The file the environment variable VELNOR_FRAME_STATS names, or an empty path
// (frame_statistics_posix.cpp, frame_statistics_win32.cpp).
std::filesystem::path FrameStatisticsPathFromEnvironment();

}  // namespace velnor
