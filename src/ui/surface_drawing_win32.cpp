// A surface on a device context: one SetDIBitsToDevice per area, reading the surface's rows
// where they are; and a surface as a pattern brush.
#include "ui/surface_drawing_win32.h"

#include <algorithm>

#include "engine/dib_info_win32.h"

namespace velnor {

bool DrawSurface(HDC target, Point to, const Surface& surface, const Rect& source) {
    const Rect clipped = Intersect(source, surface.bounds());
    if (clipped.empty()) return true;
    // The source is described as just the area's rows, so the first of them is the DIB's
    // top row whichever way a system counts the rows of a top-down DIB.
    const auto rows = static_cast<int>(clipped.height());
    const BITMAPINFO info = TopDownDibInfo(surface.width(), rows);
    return SetDIBitsToDevice(target, to.x + clipped.left - source.left,
                             to.y + clipped.top - source.top, static_cast<DWORD>(clipped.width()),
                             static_cast<DWORD>(rows), clipped.left, 0, 0, static_cast<UINT>(rows),
                             surface.row(clipped.top), &info, DIB_RGB_COLORS) != 0;
}

HBRUSH MakeSurfaceBrush(const Surface& surface) {
    if (surface.empty()) return nullptr;
    BITMAPINFO info = TopDownDibInfo(surface.width(), surface.height());
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    std::copy(surface.data(), surface.data() + surface.width() * surface.height(),
              static_cast<Pixel*>(bits));
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    return brush;
}

}  // namespace velnor
