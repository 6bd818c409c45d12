// Small window helpers of the settings dialog: the caption-zoom animation from the
// remembered mouse point to the window when it opens and back when it closes, and the
// raised and sunken 3-D edges of its option squares and picture box.
#pragma once

#include <windows.h>

#include <cstdint>

namespace velnor {

// The screen point the opening zoom starts from and the closing zoom ends at; (0, 0)
// until the dialog sets it.
struct ZoomOrigin {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// The mouse position now; a coordinate that cannot be read or does not fit 16 bits is 0.
ZoomOrigin ZoomOriginFromCursor();

// Animated rectangle from the single point `origin` to the window's screen rectangle.
void ZoomFromPoint(HWND window, ZoomOrigin origin);

// Animated rectangle from the window's screen rectangle to the single point `origin`.
void ZoomToPoint(HWND window, ZoomOrigin origin);

inline constexpr UINT kEdgeRaised = EDGE_RAISED;  // 5
inline constexpr UINT kEdgeSunken = EDGE_SUNKEN;  // 10

}  // namespace velnor
