// The -fps overlay: the meter's rate over each second, the text, its box of white figures
// and where that goes on a screen of any size.
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

TEST(FrameRateOverlay, SmallBoxOfWhiteFiguresInTheBottomLeftCorner) {
    const Surface box = FrameRateBox("FPS: 8.0");
    EXPECT_LT(box.height(), 30) << "small";
    EXPECT_EQ(box.width(), FrameRateBox("FPS: 99999.9").width()) << "one size for every rate";
    int ink = 0;
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x) {
            EXPECT_TRUE(box.at(x, y) == 0xFFFFFF || box.at(x, y) == 0) << x << "," << y;
            ink += box.at(x, y) == 0xFFFFFF;
        }
    }
    EXPECT_GT(ink, 100) << "the figures are drawn";
    EXPECT_NE(FrameRateBox("FPS: 8.0"), FrameRateBox("FPS: 9.0"));
    EXPECT_EQ(FrameRateBox("FPS: 99999.9 and more"), FrameRateBox("FPS: 99999.9"));
    EXPECT_EQ(FrameRateBoxPlace(640, 480), (Point{4, 480 - 4 - box.height()}));
    EXPECT_EQ(FrameRateBoxPlace(box.width() + 8, box.height() + 8), (Point{4, 4}));
    EXPECT_EQ(FrameRateBoxPlace(box.width() + 7, 480), std::nullopt) << "too narrow";
    EXPECT_EQ(FrameRateBoxPlace(0, 0), std::nullopt);
}

}  // namespace
}  // namespace velnor
