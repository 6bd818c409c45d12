// Filled discs by rows: for each row the run of pixels whose centres lie inside the circle
// is found with an integer square root, so the edge is exact and symmetric.
#include "engine/circle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velnor {
namespace {

__extension__ typedef __int128 Wide;

// The largest s >= 0 with s * s < limit, for limit > 0.
std::int64_t SquareRootBelow(Wide limit) {
    auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(limit)));
    while (s > 0 && static_cast<Wide>(s) * s >= limit) --s;
    while (static_cast<Wide>(s + 1) * (s + 1) < limit) ++s;
    return s;
}

}  // namespace

Rect FillCircle(Surface& dst, int cx, int cy, int radius, Pixel colour) {
    if (radius <= 0 || dst.empty()) return {};
    // Work in doubled coordinates so that pixel centres are whole numbers: pixel (x, y) is
    // set when (2x + 1 - 2cx)^2 + (2y + 1 - 2cy)^2 < (2r)^2. Both terms are odd squares,
    // so their sum is never equal to (2r)^2 and the edge has no ties.
    const std::int64_t top = std::max<std::int64_t>(0, static_cast<std::int64_t>(cy) - radius);
    const std::int64_t bottom =
        std::min<std::int64_t>(dst.height(), static_cast<std::int64_t>(cy) + radius);
    const Wide twoR = 2 * static_cast<Wide>(radius);
    Rect painted;
    for (std::int64_t y = top; y < bottom; ++y) {
        const Wide t = 2 * static_cast<Wide>(y) + 1 - 2 * static_cast<Wide>(cy);
        const Wide room = twoR * twoR - t * t;
        if (room <= 0) continue;
        std::int64_t half = SquareRootBelow(room);  // largest |2x + 1 - 2cx| allowed
        if (half % 2 == 0) --half;                  // that value is odd
        if (half < 1) continue;
        const std::int64_t left = std::max<std::int64_t>(0, cx - (half + 1) / 2);
        const std::int64_t right = std::min<std::int64_t>(dst.width(), cx + (half + 1) / 2);
        if (left >= right) continue;
        Pixel* row = dst.row(static_cast<int>(y));
        std::fill(row + left, row + right, colour);
        painted = Unite(painted, Rect{static_cast<int>(left), static_cast<int>(y),
                                      static_cast<int>(right), static_cast<int>(y + 1)});
    }
    return painted;
}

}  // namespace velnor
