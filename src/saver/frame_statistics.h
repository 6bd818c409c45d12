// Frame-rate diagnostics for the measurement tools, shared by the Windows saver and the
// native X11 program: frames, presentations, the median and the longest frame-to-frame
// time, as one line of text once a second. Each program writes the line where
// VELNOR_FRAME_STATS says.
#pragma once

#include <array>
#include <cstdint>
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

}  // namespace velnor
