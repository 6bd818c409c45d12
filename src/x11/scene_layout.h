// Where the scenes go in the window the program draws on: on a root window that spans
// several monitors, one scene per monitor centred on it; on any other window, one scene
// filling the window. Portable, so the rule is tested on plain rectangles.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/geometry.h"
#include "saver/monitor_plan.h"

namespace velnor {

// The monitors (in root-window coordinates) as areas of a window placed at
// `windowInRoot`: each clipped to the window and moved into its coordinates; monitors
// outside the window are dropped.
std::vector<MonitorArea> MonitorsInWindow(std::span<const MonitorArea> monitorsInRoot,
                                          const Rect& windowInRoot);

// The scenes of a window: one per monitor it shows (the primary first), or the whole
// window when it shows none. SaverScreen::windowRect is in window coordinates.
std::vector<SaverScreen> PlanWindowScenes(std::span<const MonitorArea> monitorsInRoot,
                                          const Rect& windowInRoot, std::uint64_t seed);

// The wire ball's radius in a window the program is given (the settings program's small
// preview pane): `scale`, but no more than 0.3 of the window's smaller side (so even a
// ball stretched to 1.6 times its height fits), and at least kSmallestFittedRadius.
inline constexpr int kSmallestFittedRadius = 8;
std::int16_t FittedRadius(std::int16_t scale, int windowWidth, int windowHeight);

}  // namespace velnor
