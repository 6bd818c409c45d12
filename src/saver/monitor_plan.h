// The plan of the saver's windows: one full-screen window per monitor, each with its own
// scene sized to that monitor (own centre, orbit and background). Portable, so it is
// tested without Windows; the shell feeds it the monitors the system reports.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/geometry.h"

namespace velnor {

// A monitor as the system reports it, in physical pixels of the virtual screen.
struct MonitorArea {
    Rect bounds;
    bool primary = false;
};

// One saver window and the scene it shows.
struct SaverScreen {
    Rect windowRect;      // where the window goes, virtual-screen pixels
    int screenWidth = 0;  // the scene's surface size
    int screenHeight = 0;
    int centreX = 0;  // the wire ball's centre on that surface
    int centreY = 0;
    std::uint64_t seed = 0;  // each scene has its own random choices

    bool operator==(const SaverScreen&) const = default;
};

// Larger monitors are covered only up to this many pixels from their top-left corner:
// a bogus size from a driver must not ask for gigabytes of surfaces.
inline constexpr int kMaxScreenSide = 16384;

// One screen per usable monitor, the primary first and the others in the given order.
// Monitors with an empty area, and exact duplicates (mirrored displays), are left out.
// With no usable monitor, `fallback` (normally the primary screen at 0, 0) is the only
// screen; when that is empty too the plan is empty.
std::vector<SaverScreen> PlanSaverScreens(std::span<const MonitorArea> monitors,
                                          const Rect& fallback, std::uint64_t seed);

}  // namespace velnor
