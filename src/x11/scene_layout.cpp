// Places the scenes of a window from the monitors it covers.
#include "x11/scene_layout.h"

#include <algorithm>

namespace velnor {

std::vector<MonitorArea> MonitorsInWindow(std::span<const MonitorArea> monitorsInRoot,
                                          const Rect& windowInRoot) {
    std::vector<MonitorArea> areas;
    for (const MonitorArea& monitor : monitorsInRoot) {
        const Rect visible = Intersect(monitor.bounds, windowInRoot);
        if (visible.empty()) continue;
        areas.push_back(
            MonitorArea{Rect{visible.left - windowInRoot.left, visible.top - windowInRoot.top,
                             visible.right - windowInRoot.left, visible.bottom - windowInRoot.top},
                        monitor.primary});
    }
    return areas;
}

std::vector<SaverScreen> PlanWindowScenes(std::span<const MonitorArea> monitorsInRoot,
                                          const Rect& windowInRoot, std::uint64_t seed) {
    const std::vector<MonitorArea> areas = MonitorsInWindow(monitorsInRoot, windowInRoot);
    const Rect whole{0, 0, static_cast<int>(windowInRoot.width()),
                     static_cast<int>(windowInRoot.height())};
    return PlanSaverScreens(areas, whole, seed);
}

std::int16_t FittedRadius(std::int16_t scale, int windowWidth, int windowHeight) {
    const int fitting = std::min(windowWidth, windowHeight) * 3 / 10;
    return static_cast<std::int16_t>(
        std::min<int>(scale, std::max(fitting, kSmallestFittedRadius)));
}

}  // namespace velnor
