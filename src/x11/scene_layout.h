// Where the scenes go in the window the program draws on: on a root window that spans
// several monitors, one scene per monitor centred on it; on any other window, one scene
// filling the window. Portable, so the rule is tested on plain rectangles.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/geometry.h"
#include "windows/monitor_plan.h"

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

}  // namespace velnor
