// The wire ball: its vertex grid in model space, the rotated and projected copies of
// that grid, and the two computations that fill them (BuildWireBall, ProjectWireBall).
// The saver and the settings dialog's still picture each own one WireBall.
#pragma once

#include <array>
#include <cstdint>

namespace velnor {

// Grid points (j, i): azimuth index j and polar index i, both 1..21. Row and column 0
// exist but are never read.
inline constexpr int kGridBound = 22;
inline constexpr int kGridCount = 21;

// A grid of 32-bit floats indexed [j][i].
using Grid = std::array<std::array<float, kGridBound>, kGridBound>;

struct WireBall {
    std::int16_t azimuthCount = kGridCount;
    std::int16_t polarCount = kGridCount;
    Grid modelX{}, modelY{}, modelZ{};
    Grid viewX{}, viewY{}, viewZ{};
    Grid screenX{}, screenY{};     // pixel position of each grid point after ProjectWireBall
    float radius = 0;              // ball radius in pixels (the scale setting)
    float zScale = 0;              // stretch along the polar axis: aspectTenths / 10
    float eyeDistance = 0;         // eye distance from the centre: perspectiveDepth * 10
    std::int16_t perspective = 0;  // 1: perspective projection, anything else orthographic
};

// Recomputes zScale, eyeDistance and the model grid from the shape, the depth and
// ball.radius. The polar angle t and the azimuth p run over 0, 18, ..., 360 degrees;
// the polar axis is model z. `eyeDistanceScale` scales the eye distance of a ball drawn
// smaller than its settings' size, so that its perspective looks the same.
void BuildWireBall(WireBall& ball, int aspectTenths, int perspectiveDepth,
                   double eyeDistanceScale = 1.0);

// Size of the surface the ball is projected onto. The inner size is the drawable area
// and sets the view angles; the outer size (including a border, if any) sets the centre.
// For a full-screen surface both are the screen size.
struct ProjectionArea {
    int innerWidth = 0;
    int innerHeight = 0;
    int outerWidth = 0;
    int outerHeight = 0;
};

// Spins the model grid about its polar axis by an angle derived from spinInput, tilts it
// about the horizontal axis by an angle derived from tiltInput, divides by depth when
// ball.perspective is 1 (a point exactly in the eye's plane keeps its position) and
// shifts it to the centre of the area; fills viewX/Y/Z and screenX/Y.
// Returns false when a result overflowed 32-bit float: the projection then ended at that
// point, and every screen coordinate not yet recomputed keeps its previous value.
bool ProjectWireBall(WireBall& ball, float spinInput, float tiltInput, const ProjectionArea& area);

}  // namespace velnor
