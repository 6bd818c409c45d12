// Block copies, fills and area copies, each clipped against every surface it touches.
// Clipping is done in 64 bits so that coordinates anywhere in the int range are safe.
#include "engine/blit.h"

#include <algorithm>
#include <cstring>

namespace velnor {

Rect BitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op) {
    assert(&dst != &src);
    if (w <= 0 || h <= 0) return {};
    long long dx0 = x, dy0 = y, sx0 = sx, sy0 = sy, width = w, height = h;
    // Move the top-left corner until it lies on both surfaces, keeping the pairs aligned.
    const long long skipX = std::max({0LL, -dx0, -sx0});
    const long long skipY = std::max({0LL, -dy0, -sy0});
    dx0 += skipX;
    sx0 += skipX;
    width -= skipX;
    dy0 += skipY;
    sy0 += skipY;
    height -= skipY;
    width = std::min({width, dst.width() - dx0, src.width() - sx0});
    height = std::min({height, dst.height() - dy0, src.height() - sy0});
    if (width <= 0 || height <= 0) return {};

    const int count = static_cast<int>(width);
    for (long long row = 0; row < height; ++row) {
        ApplyRasterOp(dst.row(static_cast<int>(dy0 + row)) + dx0,
                      src.row(static_cast<int>(sy0 + row)) + sx0, count, op);
    }
    return Rect{static_cast<int>(dx0), static_cast<int>(dy0), static_cast<int>(dx0 + width),
                static_cast<int>(dy0 + height)};
}

void FillRect(Surface& dst, const Rect& area, Pixel colour) {
    const Rect r = Intersect(area, dst.bounds());
    if (r.empty()) return;
    for (int y = r.top; y < r.bottom; ++y) {
        Pixel* row = dst.row(y);
        std::fill(row + r.left, row + r.right, colour);
    }
}

void CopyRect(Surface& dst, const Surface& src, const Rect& area) {
    const Rect r = Intersect(Intersect(area, dst.bounds()), src.bounds());
    if (r.empty() || &dst == &src) return;
    const auto bytes = static_cast<std::size_t>(r.right - r.left) * sizeof(Pixel);
    for (int y = r.top; y < r.bottom; ++y) {
        std::memcpy(dst.row(y) + r.left, src.row(y) + r.left, bytes);
    }
}

}  // namespace velnor
