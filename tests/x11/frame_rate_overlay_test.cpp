// The -fps overlay: the meter's rate over each second, the text, and where and how the
// figure is drawn (inside its box in the bottom-left corner, any frame size).
#include "x11/frame_rate_overlay.h"

#include <gtest/gtest.h>

namespace velnor {
namespace {

TEST(FrameRateOverlay, MeterCountsWholeSecondsAndTextHasOneDecimal) {
    FrameRateMeter meter;
    EXPECT_EQ(meter.rate(), 0);
    for (int i = 0; i <= 10; ++i) meter.CountFrame(1'000'000 + i * 20'000);  // 50 frames a second
    EXPECT_EQ(meter.rate(), 0) << "a fifth of a second says too little";
    for (int i = 11; i <= 25; ++i) meter.CountFrame(1'000'000 + i * 20'000);
    EXPECT_NEAR(meter.rate(), 52.0, 1e-9) << "26 frames in half a second";
    for (int i = 26; i <= 50; ++i) meter.CountFrame(1'000'000 + i * 20'000);
    EXPECT_NEAR(meter.rate(), 51.0, 1e-9) << "51 frames ended within the first second";
    for (int i = 1; i <= 25; ++i) meter.CountFrame(2'000'000 + i * 40'000);
    EXPECT_NEAR(meter.rate(), 25.0, 1e-9);
    EXPECT_EQ(FrameRateText(59.94), "FPS: 59.9");
    EXPECT_EQ(FrameRateText(-3), "FPS: 0.0");
}

TEST(FrameRateOverlay, FigureIsDrawnInItsBoxInTheBottomLeftCorner) {
    Surface frame(640, 480, 0x336699);
    const Rect box = DrawFrameRate(frame, "FPS: 8.0");
    EXPECT_EQ(box.left, 4);
    EXPECT_EQ(box.bottom, 476);
    EXPECT_GT(box.width(), 8 * 10);
    EXPECT_LT(box.height(), 30) << "small";
    int ink = 0, untouched = 0;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const Pixel p = frame.at(x, y);
            if (!box.contains({x, y})) {
                untouched += p == 0x336699;
                continue;
            }
            EXPECT_TRUE(p == 0xFFFFFF || p == 0) << x << "," << y;
            ink += p == 0xFFFFFF;
        }
    }
    EXPECT_EQ(untouched, 640 * 480 - box.width() * box.height());
    EXPECT_GT(ink, 100) << "the figures are drawn";
    // A longer text makes a wider box; frames smaller than the box are clipped.
    EXPECT_GT(DrawFrameRate(frame, "FPS: 100.0").width(), box.width());
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{20, 10}, std::pair{0, 0}}) {
        Surface tiny(w, h);
        const Rect drawn = DrawFrameRate(tiny, "FPS: 60.0");
        EXPECT_EQ(Intersect(drawn, tiny.bounds()), drawn);
    }
}

}  // namespace
}  // namespace velnor
