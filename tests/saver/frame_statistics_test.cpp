// The frame statistics line that tools/measure_saver.py and tools/measure_native.py read.
#include "saver/frame_statistics.h"

#include <gtest/gtest.h>

namespace velnor {
namespace {

TEST(FrameStatistics, OneLineASecondWithFramesRateLongestFrameAndPresentations) {
    FrameStatistics statistics;
    // Frames every 10 ms, one of them 35 ms late; every second frame presented, the first
    // one whole.
    std::int64_t start = 5'000'000;
    std::optional<std::string> line;
    int lines = 0;
    for (int frame = 0; frame < 150; ++frame) {
        const FramePresentations presented{frame % 2 == 0 ? 1 : 0, frame == 0 ? 1 : 0};
        if (auto written = statistics.CountFrame(start, start + 1'000, presented)) {
            line = written;
            ++lines;
            // Due once a second has passed since the first frame: frame 97 starts 0.999 s
            // after it and counts 1 ms later.
            EXPECT_EQ(frame, 97);
        }
        start += frame == 40 ? 45'000 : 10'000;
    }
    EXPECT_EQ(lines, 1);
    ASSERT_TRUE(line);
    EXPECT_EQ(*line,
              "frames=98 seconds=1.006 fps=97.42 longest_frame_ms=45.000 presentations=49 "
              "whole=1\n");
}

}  // namespace
}  // namespace velnor
