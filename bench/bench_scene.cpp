// Synthetic frames for the benchmarks: a sphere mesh turned and tilted a little every frame
// and a sprite that travels round an ellipse, so consecutive frames differ as in the saver.
#include "bench_scene.h"

#include <algorithm>
#include <cmath>

#include "engine/circle.h"

namespace velnor::bench {
namespace {

constexpr int kFrames = 64;
constexpr double kPi = 3.14159265358979323846;

Surface MakeBackground(int width, int height) {
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        Pixel* row = s.row(y);
        for (int x = 0; x < width; ++x) {
            row[x] = PixelFromRgb(x * 255 / width, y * 255 / height, (x ^ y) & 0xFF);
        }
    }
    return s;
}

MeshPoints MakeMesh(int width, int height, double radius, double spin, double tilt) {
    MeshPoints mesh;
    for (int i = 0; i < kGridSize; ++i) {
        const double polar = 2 * kPi * i / (kGridSize - 1);
        for (int j = 0; j < kGridSize; ++j) {
            const double azimuth = 2 * kPi * j / (kGridSize - 1) + spin;
            const double x = radius * std::sin(polar) * std::cos(azimuth);
            const double y = radius * std::sin(polar) * std::sin(azimuth);
            const double z = radius * std::cos(polar);
            mesh[i][j] = Point{static_cast<int>(std::lround(width / 2.0 + x)),
                               static_cast<int>(std::lround(height / 2.0 + y * std::sin(tilt) +
                                                            z * std::cos(tilt)))};
        }
    }
    return mesh;
}

}  // namespace

BenchScene MakeBenchScene(int width, int height, int radius) {
    BenchScene scene;
    scene.background = MakeBackground(width, height);
    scene.sprite = Surface(kSpriteSize, kSpriteSize, 0);
    for (int k = 0; k < 12; ++k) {
        const Pixel grey = static_cast<Pixel>(std::min(255, 40 + 16 * k));
        FillCircle(scene.sprite, 24 - k, 24 - k, 24 - 2 * k, PixelFromRgb(grey, grey / 2, grey));
    }
    scene.mask = Surface(kSpriteSize, kSpriteSize, 0xFFFFFF);
    FillCircle(scene.mask, 24, 24, 24, 0);

    for (int f = 0; f < kFrames; ++f) {
        scene.meshes.push_back(MakeMesh(width, height, radius, f * kPi / 300, 0.4 + f * 0.002));
        const double orbit = 2 * kPi * f / kFrames;
        scene.spritePlaces.push_back(
            Point{static_cast<int>(width / 2 + height / 2 * std::cos(orbit)) - 24,
                  static_cast<int>(height / 2 + height / 4 * std::sin(orbit)) - 24});
    }
    return scene;
}

}  // namespace velnor::bench
