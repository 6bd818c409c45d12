// A stand-in for the saver's frame used by the benchmarks: a screen-sized background, a
// wire-ball-like mesh of 21 x 21 points (precomputed for a run of spin angles) drawn as
// 860 one-pixel segments, and the 48 x 48 orbiting-ball sprite with its mask.
#pragma once

#include <array>
#include <vector>

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor::bench {

constexpr int kGridSize = 21;
constexpr int kSpriteSize = 48;

// Points of one frame's mesh, indexed [polar i][azimuth j] from 0.
using MeshPoints = std::array<std::array<Point, kGridSize>, kGridSize>;

struct BenchScene {
    Surface background;
    Surface sprite;                   // rings on black
    Surface mask;                     // black disc on white
    std::vector<MeshPoints> meshes;   // one per frame of the run, cycled
    std::vector<Point> spritePlaces;  // top-left corner of the sprite per frame
    Pixel parallelColour = 0x00FF00;
    Pixel meridianColour = 0x00FFFF;
    Pixel equatorColour = 0x0000FF;
    int equatorRow = 5;
};

// The wire ball's radius in pixels: the default of the "Scale" setting and its largest.
constexpr int kDefaultRadius = 128;
constexpr int kLargestRadius = 384;

// Builds the scene for a screen of the given size. The sprite travels on an ellipse whose
// horizontal semi-axis is half the screen height, as the orbiting ball does.
BenchScene MakeBenchScene(int width, int height, int radius = kDefaultRadius);

// The segments of one frame in drawing order: parallels, meridians, equator.
template <typename DrawSegment>
void ForEachSegment(const BenchScene& scene, const MeshPoints& mesh, DrawSegment&& draw) {
    for (int i = 0; i < kGridSize; ++i) {
        for (int j = 1; j < kGridSize; ++j) draw(mesh[i][j - 1], mesh[i][j], scene.parallelColour);
    }
    for (int j = 0; j < kGridSize; ++j) {
        for (int i = 1; i < kGridSize; ++i) draw(mesh[i - 1][j], mesh[i][j], scene.meridianColour);
    }
    const auto& equator = mesh[scene.equatorRow];
    for (int j = 1; j < kGridSize; ++j) draw(equator[j - 1], equator[j], scene.equatorColour);
}

}  // namespace velnor::bench
