// Builds the per-monitor plan of the saver's windows and scenes.
#include "saver/monitor_plan.h"

#include <algorithm>

namespace velnor {
namespace {

// Half a size, to the nearest integer with ties to even, as the scene places its centre.
int HalfRoundedToEven(int size) {
    const int half = size / 2;
    if (size % 2 == 0) return half;
    return half % 2 == 0 ? half : half + 1;
}

SaverScreen ScreenFor(const Rect& bounds, std::uint64_t seed) {
    SaverScreen screen;
    const int width = static_cast<int>(std::min<long long>(bounds.width(), kMaxScreenSide));
    const int height = static_cast<int>(std::min<long long>(bounds.height(), kMaxScreenSide));
    screen.windowRect = Rect{bounds.left, bounds.top, bounds.left + width, bounds.top + height};
    screen.screenWidth = width;
    screen.screenHeight = height;
    screen.centreX = HalfRoundedToEven(width);
    screen.centreY = HalfRoundedToEven(height);
    screen.seed = seed;
    return screen;
}

}  // namespace

std::vector<SaverScreen> PlanSaverScreens(std::span<const MonitorArea> monitors,
                                          const Rect& fallback, std::uint64_t seed) {
    std::vector<Rect> chosen;
    auto take = [&chosen](const Rect& bounds) {
        if (bounds.empty()) return;
        if (std::find(chosen.begin(), chosen.end(), bounds) != chosen.end()) return;
        chosen.push_back(bounds);
    };
    for (const MonitorArea& monitor : monitors) {
        if (monitor.primary) take(monitor.bounds);
    }
    for (const MonitorArea& monitor : monitors) take(monitor.bounds);
    if (chosen.empty()) take(fallback);

    std::vector<SaverScreen> plan;
    plan.reserve(chosen.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        // Distinct, well-spread seeds per scene (golden-ratio increments).
        plan.push_back(ScreenFor(chosen[i], seed + i * 0x9E3779B97F4A7C15ull));
    }
    return plan;
}

}  // namespace velnor
