// Small deterministic helpers for the procedural pictures: floating-point colours,
// hashed value noise and a seeded random sequence whose numbers are the same on every
// machine (no standard distributions, whose results vary between libraries).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/surface.h"

namespace velnor::resources {

struct Colour {
    double r = 0, g = 0, b = 0;
};
inline Colour operator+(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Colour operator*(Colour a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
inline Colour Mix(Colour a, Colour b, double t) {
    return a * (1 - t) + b * t;
}

inline int ToByte(double v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}
inline Pixel ToPixel(Colour c) {
    return PixelFromRgb(ToByte(c.r), ToByte(c.g), ToByte(c.b));
}

// The orbiting ball's shade at (dx, dy), its radius being 1: a dark rim lit from the
// top-left, like the saver's sprite.
inline Colour BallShade(double dx, double dy) {
    const double hx = dx + 0.45, hy = dy + 0.45;
    const double light = std::clamp(1 - std::sqrt(hx * hx + hy * hy) / 1.45, 0.0, 1.0);
    const Colour rim{72 / 255.0, 32 / 255.0, 56 / 255.0};
    return rim + Colour{0.69, 0.69, 0.69} * light;
}

inline double SmoothStep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// A 32-bit integer hash (lowbias32), the base of the noise.
inline std::uint32_t Hash(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}
inline double HashUnit(int x, int y, std::uint32_t seed) {
    const std::uint32_t h = Hash(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^
                                 Hash(static_cast<std::uint32_t>(y) + seed * 0x85EBCA77U));
    return (h >> 8) * (1.0 / 16777216.0);
}

// Value noise in [0, 1], smooth between integer lattice points. With period > 0 the
// lattice wraps in x and y, so the noise tiles with that period.
inline double ValueNoise(double x, double y, std::uint32_t seed, int periodX = 0, int periodY = 0) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    auto wrap = [](int v, int period) { return period > 0 ? ((v % period) + period) % period : v; };
    auto at = [&](int dx, int dy) {
        return HashUnit(wrap(x0 + dx, periodX), wrap(y0 + dy, periodY), seed);
    };
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double top = at(0, 0) + (at(1, 0) - at(0, 0)) * sx;
    const double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * sx;
    return top + (bottom - top) * sy;
}

// Fractal sum of `octaves` layers of value noise, normalised to [0, 1].
inline double Fbm(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101U) * amplitude;
        total += amplitude;
        amplitude *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / total;
}

// A seeded sequence of numbers in [0, 1).
class Sequence {
  public:
    explicit Sequence(std::uint32_t seed) : state_(seed) {}
    double Next() {
        state_ = Hash(state_ + 0x9E3779B9U);
        return (state_ >> 8) * (1.0 / 16777216.0);
    }

  private:
    std::uint32_t state_;
};

}  // namespace velnor::resources
