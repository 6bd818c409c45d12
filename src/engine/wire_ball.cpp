// Builds and projects the wire ball's vertex grid. Every product is evaluated in 64-bit
// float and stored as 32-bit float after each step, so the grid holds exactly the
// numbers the saver has always drawn.
#include "engine/wire_ball.h"

#include <algorithm>
#include <cmath>

namespace velnor {
namespace {

// Pi is taken as the 64-bit constant 3.1415927 throughout (not the exact pi, and not
// its nearest 32-bit float, which differs in the eighth digit); degrees to radians is
// 3.1415927 / 180.
constexpr double kPi = 3.1415927;
constexpr double kDegreesToRadians = 0.01745329277777778;

// Stores value as a 32-bit float; false (and target untouched) when it does not fit.
bool Store(float& target, double value) {
    const auto narrowed = static_cast<float>(value);
    if (!std::isfinite(narrowed)) return false;
    target = narrowed;
    return true;
}

int Count(std::int16_t count) {
    return std::clamp<int>(count, 0, kGridCount);
}

}  // namespace

void BuildWireBall(WireBall& ball, int aspectTenths, int perspectiveDepth,
                   double eyeDistanceScale) {
    ball.zScale = static_cast<float>(aspectTenths / 10.0);
    ball.eyeDistance = static_cast<float>(perspectiveDepth * 10.0);
    if (eyeDistanceScale != 1.0) {
        ball.eyeDistance = static_cast<float>(ball.eyeDistance * eyeDistanceScale);
    }
    const double radius = ball.radius;
    const double polarRadius = static_cast<double>(ball.zScale) * radius;
    int i = 1;
    for (float t = 0; t <= 360.0f && i <= kGridCount; t += 18.0f, ++i) {
        const double tr = static_cast<float>(t * kDegreesToRadians);
        int j = 1;
        for (float p = 0; p <= 360.0f && j <= kGridCount; p += 18.0f, ++j) {
            const double pr = static_cast<float>(p * kDegreesToRadians);
            ball.modelX[j][i] = static_cast<float>(radius * std::sin(tr) * std::cos(pr));
            ball.modelY[j][i] = static_cast<float>(radius * std::sin(tr) * std::sin(pr));
            ball.modelZ[j][i] = static_cast<float>(polarRadius * std::cos(tr));
        }
    }
}

bool ProjectWireBall(WireBall& ball, float spinInput, float tiltInput, const ProjectionArea& area) {
    const int polar = Count(ball.polarCount);
    const int azimuth = Count(ball.azimuthCount);
    const float halfW = static_cast<float>(area.innerWidth) / 2;
    const float halfH = static_cast<float>(area.innerHeight) / 2;
    const double halfPi = kPi / 2;
    float a1 = 0;
    float a2 = 0;
    if (!Store(a1, (static_cast<double>(spinInput) - halfW) / halfW * halfPi)) return false;
    if (!Store(a2, (static_cast<double>(tiltInput) - halfH) / halfH * -halfPi)) return false;
    // The angles are 32-bit, their sines and cosines 64-bit: widen before calling, or
    // the float overloads would round each of them to 24 bits.
    const double angle1 = a1, angle2 = a2;
    const double sin1 = std::sin(angle1), cos1 = std::cos(angle1);
    const double sin2 = std::sin(angle2), cos2 = std::cos(angle2);

    for (int i = 1; i <= polar; ++i) {  // spin about the polar axis
        for (int j = 1; j <= azimuth; ++j) {
            const double x = ball.modelX[j][i], y = ball.modelY[j][i];
            if (!Store(ball.viewX[j][i], y * sin1 + x * cos1)) return false;
            if (!Store(ball.viewY[j][i], y * cos1 - x * sin1)) return false;
            ball.viewZ[j][i] = ball.modelZ[j][i];
        }
    }
    for (int i = 1; i <= polar; ++i) {  // tilt about the horizontal axis
        for (int j = 1; j <= azimuth; ++j) {
            const double y = ball.viewY[j][i], z = ball.viewZ[j][i];
            if (!Store(ball.viewY[j][i], y * cos2 - z * sin2)) return false;
            if (!Store(ball.viewZ[j][i], y * sin2 + z * cos2)) return false;
        }
    }
    if (ball.perspective == 1) {
        const double eye = ball.eyeDistance;
        for (int i = 1; i <= polar; ++i) {
            for (int j = 1; j <= azimuth; ++j) {
                float d = 0;
                if (!Store(d, eye - ball.viewY[j][i])) return false;
                if (d == 0) continue;  // in the eye's plane: keeps its unprojected position
                if (!Store(ball.viewX[j][i], ball.viewX[j][i] * eye / d)) return false;
                if (!Store(ball.viewZ[j][i], ball.viewZ[j][i] * eye / d)) return false;
            }
        }
    }
    const float cx = static_cast<float>(area.outerWidth) / 2;
    const float cy = static_cast<float>(area.outerHeight) / 2;
    for (int i = 1; i <= polar; ++i) {
        for (int j = 1; j <= azimuth; ++j) {
            if (!Store(ball.screenX[j][i], static_cast<double>(ball.viewX[j][i]) + cx))
                return false;
            if (!Store(ball.screenY[j][i], static_cast<double>(ball.viewZ[j][i]) + cy))
                return false;
        }
    }
    return true;
}

}  // namespace velnor
