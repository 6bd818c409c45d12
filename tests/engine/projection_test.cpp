// ProjectWireBall: the view angles from the inputs and the surface's inner size, the
// centre from its outer size, orthographic and perspective projection (a point in the
// eye's plane keeps its position), and the early end of an overflowing projection.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <tuple>
#include <utility>

#include "engine/wire_ball.h"

namespace velnor {
namespace {

constexpr double kPiF = 3.1415927;  // the projection's pi

WireBall Ball(float radius, int perspective, int depth) {
    WireBall ball;
    ball.radius = radius;
    ball.perspective = static_cast<std::int16_t>(perspective);
    BuildWireBall(ball, 10, depth);
    return ball;
}

// The view of one model point rotated by a1 about the polar axis and tilted by a2,
// computed directly in double: {x, y (depth, towards the viewer), z (screen down)}.
struct View {
    double x, y, z;
};
View Rotate(const WireBall& b, int j, int i, double a1, double a2) {
    const double x = b.modelY[j][i] * std::sin(a1) + b.modelX[j][i] * std::cos(a1);
    const double y = b.modelY[j][i] * std::cos(a1) - b.modelX[j][i] * std::sin(a1);
    const double z = b.modelZ[j][i];
    return {x, y * std::cos(a2) - z * std::sin(a2), y * std::sin(a2) + z * std::cos(a2)};
}

// Rounds to a 32-bit float through memory. Written as plain casts, the reference below was
// vectorised by GCC 12 at -O2 into code that went on with an unrounded 64-bit value.
float Narrow(double value) {
    volatile float narrowed = static_cast<float>(value);
    return narrowed;
}

// One grid point projected with the projection's own number widths: pi is the 64-bit
// constant 3.1415927, sines, cosines and products are taken in 64 bits, and the angles
// and the result of every pass are rounded to 32-bit floats.
std::pair<float, float> NarrowedProjection(const WireBall& b, int j, int i, float spin, float tilt,
                                           const ProjectionArea& area) {
    const float halfW = static_cast<float>(area.innerWidth) / 2.0f;
    const float halfH = static_cast<float>(area.innerHeight) / 2.0f;
    const double a1 = Narrow((spin - static_cast<double>(halfW)) / halfW * (kPiF / 2));
    const double a2 = Narrow((tilt - static_cast<double>(halfH)) / halfH * -(kPiF / 2));
    const double modelX = b.modelX[j][i], modelY = b.modelY[j][i], modelZ = b.modelZ[j][i];
    const double spunX = Narrow(modelY * std::sin(a1) + modelX * std::cos(a1));
    const double spunY = Narrow(modelY * std::cos(a1) - modelX * std::sin(a1));
    const double depth = Narrow(spunY * std::cos(a2) - modelZ * std::sin(a2));
    double across = spunX;
    double down = Narrow(spunY * std::sin(a2) + modelZ * std::cos(a2));
    if (b.perspective == 1) {
        const double eye = b.eyeDistance;
        const double d = Narrow(eye - depth);
        if (d != 0) {
            across = Narrow(across * eye / d);
            down = Narrow(down * eye / d);
        }
    }
    return {Narrow(across + static_cast<float>(area.outerWidth) / 2.0f),
            Narrow(down + static_cast<float>(area.outerHeight) / 2.0f)};
}

TEST(Projection, EveryStepIsRoundedTo32BitsExactlyAsDefined) {
    // A revolution's worth of saver frames and the dialog's view, orthographic and in
    // perspective: every screen coordinate must be the same 32-bit value.
    const ProjectionArea screen{1024, 768, 1024, 768}, dialog{296, 296, 300, 300};
    for (const int perspective : {0, 1}) {
        WireBall b = Ball(128, perspective, 20);
        for (int frame = 0; frame <= 600; frame += 7) {
            const float spin = 1024 - static_cast<float>(frame) * (1024 / 300.0f);
            const float tilt = static_cast<float>(frame) * 0.64f;
            for (const auto& [area, s, t] :
                 {std::tuple{screen, spin, tilt},
                  std::tuple{dialog, 50.0f, 50.0f + static_cast<float>(frame) / 10.0f}}) {
                ASSERT_TRUE(ProjectWireBall(b, s, t, area));
                for (int i = 1; i <= 21; ++i) {
                    for (int j = 1; j <= 21; ++j) {
                        const auto [x, y] = NarrowedProjection(b, j, i, s, t, area);
                        ASSERT_EQ(b.screenX[j][i], x) << frame << " (" << j << ", " << i << ")";
                        ASSERT_EQ(b.screenY[j][i], y) << frame << " (" << j << ", " << i << ")";
                    }
                }
            }
        }
    }
}

TEST(Projection, NeutralInputsShowTheModelSideOnAroundTheOuterCentre) {
    // spin = halfW and tilt = halfH give both angles 0: screen = model x, z + centre.
    WireBall b = Ball(100, 0, 20);
    ASSERT_TRUE(ProjectWireBall(b, 148, 148, {296, 296, 300, 300}));
    for (int i = 1; i <= 21; ++i) {
        for (int j = 1; j <= 21; ++j) {
            ASSERT_EQ(b.screenX[j][i], b.modelX[j][i] + 150.0f);
            ASSERT_EQ(b.screenY[j][i], b.modelZ[j][i] + 150.0f);
        }
    }
}

TEST(Projection, AnglesFollowTheInputsAndTheInnerSize) {
    struct Case {
        float spin, tilt;
        ProjectionArea area;
    };
    const Case cases[] = {
        {50, 50, {296, 296, 300, 300}},      // the dialog's fixed view: about +-60 degrees
        {1024, 0, {1024, 768, 1024, 768}},   // the saver's first frame: face-on
        {600, 384, {1024, 768, 1024, 768}},  // edge-on
        {-900.5f, 200, {1365, 767, 1365, 767}},
    };
    for (const Case& c : cases) {
        WireBall b = Ball(128, 0, 20);
        ASSERT_TRUE(ProjectWireBall(b, c.spin, c.tilt, c.area));
        const double halfW = c.area.innerWidth / 2.0, halfH = c.area.innerHeight / 2.0;
        const double a1 = (c.spin - halfW) / halfW * kPiF / 2;
        const double a2 = (c.tilt - halfH) / halfH * -kPiF / 2;
        for (int i = 1; i <= 21; ++i) {
            for (int j = 1; j <= 21; ++j) {
                const View v = Rotate(b, j, i, a1, a2);
                ASSERT_NEAR(b.screenX[j][i], v.x + c.area.outerWidth / 2.0, 2e-3);
                ASSERT_NEAR(b.screenY[j][i], v.z + c.area.outerHeight / 2.0, 2e-3);
                ASSERT_NEAR(b.viewY[j][i], v.y, 2e-3);
            }
        }
    }
    // Face-on: the pole points at the viewer and sits on the centre.
    WireBall b = Ball(128, 0, 20);
    ASSERT_TRUE(ProjectWireBall(b, 1024, 0, {1024, 768, 1024, 768}));
    EXPECT_NEAR(b.screenX[1][1], 512, 1e-3);
    EXPECT_NEAR(b.screenY[1][1], 384, 1e-3);
}

TEST(Projection, OrthographicIgnoresTheEyeDistance) {
    WireBall nearEye = Ball(128, 0, 12), farEye = Ball(128, 0, 25);
    ASSERT_TRUE(ProjectWireBall(nearEye, 700, 100, {1024, 768, 1024, 768}));
    ASSERT_TRUE(ProjectWireBall(farEye, 700, 100, {1024, 768, 1024, 768}));
    EXPECT_EQ(nearEye.screenX, farEye.screenX);
    EXPECT_EQ(nearEye.screenY, farEye.screenY);
}

TEST(Projection, PerspectiveDividesByTheDistanceFromTheEye) {
    WireBall b = Ball(128, 1, 30);
    ASSERT_TRUE(ProjectWireBall(b, 700, 100, {1024, 768, 1024, 768}));
    const double a1 = (700 - 512) / 512.0 * kPiF / 2, a2 = (100 - 384) / 384.0 * -kPiF / 2;
    for (int i = 1; i <= 21; ++i) {
        for (int j = 1; j <= 21; ++j) {
            const View v = Rotate(b, j, i, a1, a2);
            const double k = 300 / (300 - v.y);
            ASSERT_NEAR(b.screenX[j][i], v.x * k + 512, 2e-3);
            ASSERT_NEAR(b.screenY[j][i], v.z * k + 384, 2e-3);
        }
    }
}

TEST(Projection, APointInTheEyesPlaneKeepsItsPositionAndOnesBeyondAreMirrored) {
    // Radius 120 and eye distance 120: at neutral angles the point (6, 6) (azimuth 90
    // degrees on the equator) has viewY = 120 exactly, so d = 0.
    WireBall b = Ball(120, 1, 12);
    ASSERT_TRUE(ProjectWireBall(b, 512, 384, {1024, 768, 1024, 768}));
    ASSERT_EQ(b.viewY[6][6], 120.0f);
    EXPECT_EQ(b.screenX[6][6], b.modelX[6][6] + 512.0f);
    EXPECT_EQ(b.screenY[6][6], b.modelZ[6][6] + 384.0f);

    // Eye inside the ball (radius 384, eye at 120): points behind the eye land on the
    // opposite side of the centre, points just in front of it far off the surface.
    WireBall inside = Ball(384, 1, 12);
    ASSERT_TRUE(ProjectWireBall(inside, 512, 384, {1024, 768, 1024, 768}));
    const int j = 6, i = 4;  // azimuth 90, polar 54 degrees: viewY = 384 sin 54 > 120
    ASSERT_GT(inside.viewY[j][i], 120.0f);
    EXPECT_LT(inside.screenY[j][i], 384.0f);  // model z > 0 (below), drawn above centre
    EXPECT_GT(inside.modelZ[j][i], 0.0f);
}

TEST(Projection, AnOverflowEndsTheProjectionAndKeepsThePreviousScreenPoints) {
    WireBall b = Ball(100, 1, 20);
    const ProjectionArea area{200, 200, 200, 200};
    for (auto& column : b.screenX) column.fill(7.0f);
    // A point so close to the eye that the perspective division overflows 32-bit floats.
    b.modelX[3][2] = 1e38f;
    b.modelY[3][2] = std::nextafter(200.0f, 0.0f);
    b.modelZ[3][2] = 0;
    EXPECT_FALSE(ProjectWireBall(b, 100, 100, area));  // neutral angles
    for (int i = 1; i <= 21; ++i) {
        for (int j = 1; j <= 21; ++j) ASSERT_EQ(b.screenX[j][i], 7.0f);  // none recomputed
    }

    // An overflow in the spin pass: x cos a1 + y sin a1 beyond the float range.
    WireBall spun = Ball(100, 0, 20);
    spun.modelX[1][1] = spun.modelY[1][1] = FLT_MAX;
    for (auto& column : spun.screenY) column.fill(-3.0f);
    EXPECT_FALSE(ProjectWireBall(spun, 150, 100, area));  // a1 = 45 degrees
    EXPECT_EQ(spun.screenY[10][10], -3.0f);

    // A surface of width 0 makes the angles undefined: nothing is projected.
    WireBall empty = Ball(100, 0, 20);
    EXPECT_FALSE(ProjectWireBall(empty, 50, 50, {0, 0, 0, 0}));
}

}  // namespace
}  // namespace velnor
