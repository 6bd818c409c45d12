// ZoomFromPoint and ZoomToPoint. The system calls' results are ignored: a failing call
// only means a missing animation.
#include "startup/window_helpers_win32.h"

#include <limits>

namespace velnor {
namespace {

std::int16_t Fit16(LONG value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return 0;
    }
    return static_cast<std::int16_t>(value);
}

RECT PointRect(ZoomOrigin origin) {
    return RECT{origin.x, origin.y, origin.x, origin.y};
}

}  // namespace

ZoomOrigin ZoomOriginFromCursor() {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return {};
    return ZoomOrigin{Fit16(cursor.x), Fit16(cursor.y)};
}

void ZoomFromPoint(HWND window, ZoomOrigin origin) {
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    const RECT from = PointRect(origin);
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &windowRect);
}

void ZoomToPoint(HWND window, ZoomOrigin origin) {
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    const RECT to = PointRect(origin);
    DrawAnimatedRects(window, IDANI_CAPTION, &windowRect, &to);
}

}  // namespace velnor
