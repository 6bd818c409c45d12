// The dialog's still picture of the wire ball: a round ball drawn about the centre of the
// box it is shown in, only the meridians changing with their colour, and a drawing with
// the eye inside the ball.
#include "engine/still_picture.h"

#include <gtest/gtest.h>

#include <cmath>

#include "pixel_checks.h"

namespace velnor {
namespace {

using velnor::testing::EveryPixelIs;

constexpr Pixel kGreen = 0x00FF00, kCyan = 0x00FFFF, kBlue = 0x0000FF;

TEST(StillPicture, DialogViewOfARoundBallAroundTheBoxCentre) {
    StillWireBall view;
    view.radius = 100;
    Surface box(296, 296);
    ASSERT_TRUE(DrawStillWireBall(box, 300, 300, view));
    int blue = 0, green = 0, cyan = 0;
    for (int y = 0; y < 296; ++y) {
        for (int x = 0; x < 296; ++x) {
            const Pixel p = box.at(x, y);
            if (p == 0) continue;
            // Within the outline of radius 100 about the outer centre (150, 150).
            ASSERT_LE(std::hypot(x - 150, y - 150), 101.5) << x << "," << y;
            blue += p == kBlue, green += p == kGreen, cyan += p == kCyan;
        }
    }
    EXPECT_GT(blue, 100);
    EXPECT_GT(green, 500);
    EXPECT_GT(cyan, 500);

    // Changing only the meridian colour changes only meridian pixels.
    view.meridianColour = 0x0000FF;  // red
    Surface other(296, 296);
    ASSERT_TRUE(DrawStillWireBall(other, 300, 300, view));
    EXPECT_TRUE(EveryPixelIs(other, [&](int x, int y) {
        return box.at(x, y) == kCyan ? Pixel{0xFF0000} : box.at(x, y);
    }));
}

TEST(StillPicture, EyeInsideTheBallStillDraws) {
    StillWireBall view;
    view.radius = 384;
    view.perspectiveOn = 1;
    view.perspectiveDepth = 12;
    Surface box(296, 296);
    EXPECT_TRUE(DrawStillWireBall(box, 300, 300, view));
    EXPECT_NE(box, Surface(296, 296));
}

}  // namespace
}  // namespace velnor
