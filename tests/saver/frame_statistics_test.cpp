// The frame statistics line that tools/measure_saver.py and tools/measure_native.py read.
#include "saver/frame_statistics.h"

#include <gtest/gtest.h>

namespace velnor {
namespace {

TEST(FrameStatistics, OneLineASecondWithFramesRateMedianLongestFrameAndPresentations) {
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
              "frames=98 seconds=1.006 fps=97.42 median_frame_ms=10.0 longest_frame_ms=45.000 "
              "presentations=49 whole=1\n");
}

// The median is what a frame normally takes, whatever a few long frames took; times beyond
// the counted range count as the longest step.
TEST(FrameStatistics, TheMedianFrameIgnoresAFewLongFrames) {
    FrameStatistics statistics;
    std::int64_t start = 0;
    std::optional<std::string> line;
    for (int frame = 0; frame < 80 && !line; ++frame) {
        line = statistics.CountFrame(start, start + 500, {});
        start += frame % 10 == 9 ? 900'000 : 16'700;  // every tenth frame 0.9 s long
    }
    ASSERT_TRUE(line);
    EXPECT_NE(line->find(" median_frame_ms=16.7 "), std::string::npos) << *line;
    EXPECT_NE(line->find(" longest_frame_ms=900.000 "), std::string::npos) << *line;

    FrameStatistics slow;
    slow.CountFrame(0, 0, {});
    line = slow.CountFrame(5'000'000, 5'000'000, {});
    ASSERT_TRUE(line);
    EXPECT_NE(line->find(" median_frame_ms=199.9 "), std::string::npos) << *line;
}

}  // namespace
}  // namespace velnor
