// The wire ball's model grid: a round ball, a flattened and a flat one, the poles, the
// seam and the repeated circles, and the derived zScale and eyeDistance.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/wire_ball.h"

namespace velnor {
namespace {

WireBall Built(float radius, int aspectTenths, int perspectiveDepth = 20) {
    WireBall ball;
    ball.radius = radius;
    BuildWireBall(ball, aspectTenths, perspectiveDepth);
    return ball;
}

// Distance of point (j, i) from the centre with the polar axis scaled back to round.
double Distance(const WireBall& b, int j, int i, double zScale) {
    const double z = zScale == 0 ? 0 : b.modelZ[j][i] / zScale;
    return std::hypot(b.modelX[j][i], b.modelY[j][i], z);
}

TEST(SceneGrid, RoundBallPointsLieOnTheSphereAtTheirAngles) {
    const WireBall b = Built(128, 10, 12);
    EXPECT_EQ(b.zScale, 1.0f);
    EXPECT_EQ(b.eyeDistance, 120.0f);
    for (int i = 1; i <= 21; ++i) {
        for (int j = 1; j <= 21; ++j) {
            ASSERT_NEAR(Distance(b, j, i, 1), 128, 1e-4) << j << "," << i;
            // Polar angle t = 18 (i - 1) degrees, azimuth p = 18 (j - 1) degrees.
            const double t = 18.0 * (i - 1) * M_PI / 180, p = 18.0 * (j - 1) * M_PI / 180;
            ASSERT_NEAR(b.modelZ[j][i], 128 * std::cos(t), 1e-3);
            ASSERT_NEAR(b.modelX[j][i], 128 * std::sin(t) * std::cos(p), 1e-3);
            ASSERT_NEAR(b.modelY[j][i], 128 * std::sin(t) * std::sin(p), 1e-3);
        }
    }
    for (int j = 1; j <= 21; ++j) {
        // The first pole is exact (sin 0 = 0); the equator lies in the plane z = 0.
        EXPECT_EQ(b.modelX[j][1], 0.0f);
        EXPECT_EQ(b.modelY[j][1], 0.0f);
        EXPECT_EQ(b.modelZ[j][1], 128.0f);
        EXPECT_NEAR(b.modelZ[j][6], 0, 1e-4);
        EXPECT_NEAR(b.modelZ[j][11], -128, 1e-4);
    }
    for (int i = 1; i <= 21; ++i) {
        // The seam: columns 1 and 21 coincide. Rows i and 22 - i trace the same circle.
        EXPECT_NEAR(b.modelX[21][i], b.modelX[1][i], 1e-4);
        EXPECT_NEAR(b.modelY[21][i], b.modelY[1][i], 1e-4);
        EXPECT_NEAR(b.modelZ[1][22 - i], b.modelZ[1][i], 1e-4);
        EXPECT_NEAR(b.modelX[1][22 - i], -b.modelX[1][i], 1e-4);
    }
}

TEST(SceneGrid, PointsAreTheDefinedNumbersRoundedTo32Bits) {
    // Angles in degrees converted with 3.1415927 / 180 and rounded to 32 bits; sines,
    // cosines and products (the polar axis's zScale * radius included) in 64 bits; each
    // coordinate rounded to 32 bits once. Tolerant comparisons cannot see these roundings.
    for (const int aspect : {0, 4, 10, 13, 16}) {
        for (const float radius : {48.0f, 128.0f, 137.0f}) {
            const WireBall b = Built(radius, aspect);
            const double zScale = static_cast<float>(aspect / 10.0);
            for (int i = 1; i <= 21; ++i) {
                const double t = static_cast<float>(18 * (i - 1) * (3.1415927 / 180));
                for (int j = 1; j <= 21; ++j) {
                    const double p = static_cast<float>(18 * (j - 1) * (3.1415927 / 180));
                    const double r = radius;
                    ASSERT_EQ(b.modelX[j][i], static_cast<float>(r * std::sin(t) * std::cos(p)));
                    ASSERT_EQ(b.modelY[j][i], static_cast<float>(r * std::sin(t) * std::sin(p)));
                    ASSERT_EQ(b.modelZ[j][i], static_cast<float>(zScale * r * std::cos(t)))
                        << aspect << " " << radius << " (" << j << ", " << i << ")";
                }
            }
        }
    }
}

TEST(SceneGrid, ShapeStretchesOnlyThePolarAxis) {
    for (const int aspect : {4, 16}) {
        const WireBall b = Built(100, aspect);
        EXPECT_EQ(b.zScale, static_cast<float>(aspect / 10.0));
        EXPECT_NEAR(b.modelZ[5][1], 10.0 * aspect, 1e-4);
        for (int i = 1; i <= 21; ++i) {
            for (int j = 1; j <= 21; ++j) {
                ASSERT_NEAR(Distance(b, j, i, aspect / 10.0), 100, 1e-4) << aspect;
            }
        }
    }
}

TEST(SceneGrid, ShapeZeroIsAFlatDiscOfCirclesAndSpokes) {
    const WireBall b = Built(128, 0);
    EXPECT_EQ(b.zScale, 0.0f);
    for (int i = 1; i <= 21; ++i) {
        const double ring = 128 * std::abs(std::sin(18.0 * (i - 1) * M_PI / 180));
        for (int j = 1; j <= 21; ++j) {
            ASSERT_EQ(b.modelZ[j][i], 0.0f);
            ASSERT_NEAR(std::hypot(b.modelX[j][i], b.modelY[j][i]), ring, 1e-4);
        }
    }
}

TEST(SceneGrid, RowAndColumnZeroAreNeverWritten) {
    const WireBall b = Built(128, 10);
    for (int n = 0; n < kGridBound; ++n) {
        EXPECT_EQ(b.modelX[0][n], 0.0f);
        EXPECT_EQ(b.modelY[n][0], 0.0f);
        EXPECT_EQ(b.modelZ[0][n], 0.0f);
    }
}

}  // namespace
}  // namespace velnor
