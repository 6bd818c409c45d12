// One-pixel lines. The pixel of step n along the major axis has the minor offset
// floor((2 n dMinor + dMajor - bias) / (2 dMajor)) (absolute differences); bias 1 sends
// exact ties towards the smaller coordinate when the minor coordinate grows and bias 0 when
// it falls, so ties go up or left in both drawing directions. Because this offset is a
// closed form, the run of steps that lands on the surface is found directly (128-bit
// arithmetic, as 32-bit coordinates give 65-bit products) and only that run is walked.
#include "engine/line.h"

#include <algorithm>
#include <cstdint>

namespace velnor {
namespace {

__extension__ typedef __int128 Wide;

// floor(a / b) and ceil(a / b) for b > 0.
Wide FloorDiv(Wide a, Wide b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
Wide CeilDiv(Wide a, Wide b) {
    return -FloorDiv(-a, b);
}

// A line seen along its major axis: coordinates u (major) and v (minor), with the surface's
// extent on each axis.
struct Walk {
    std::int64_t u0, v0;  // start
    std::int64_t su, sv;  // directions: +1 or -1 (sv is 0 when the line is flat)
    std::int64_t du, dv;  // absolute differences, du >= dv, du > 0
    std::int64_t bias;    // tie rule, see the file comment
    std::int64_t uSize, vSize;
};

// The steps [first, last] (inclusive) whose pixel lies on the surface; first > last if none.
void VisibleSteps(const Walk& w, std::int64_t& first, std::int64_t& last) {
    // Along the major axis: u0 + su * n in [0, uSize).
    std::int64_t lo = w.su > 0 ? -w.u0 : w.u0 - (w.uSize - 1);
    std::int64_t hi = w.su > 0 ? w.uSize - 1 - w.u0 : w.u0;
    lo = std::max<std::int64_t>(lo, 0);
    hi = std::min<std::int64_t>(hi, w.du - 1);
    if (lo > hi) {
        first = 1, last = 0;
        return;
    }
    // Along the minor axis: the offset k = off(n) must lie in [kLo, kHi].
    const std::int64_t kLo = w.sv >= 0 ? -w.v0 : w.v0 - (w.vSize - 1);
    const std::int64_t kHi = w.sv >= 0 ? w.vSize - 1 - w.v0 : w.v0;
    if (w.dv == 0) {
        if (kLo > 0 || kHi < 0) lo = hi + 1;
    } else {
        // off(n) >= k  <=>  n >= ceil((2 du k - du + bias) / (2 dv)).
        const Wide twoDu = 2 * static_cast<Wide>(w.du), twoDv = 2 * static_cast<Wide>(w.dv);
        const Wide nLo = CeilDiv(twoDu * kLo - w.du + w.bias, twoDv);
        const Wide nHi = CeilDiv(twoDu * (static_cast<Wide>(kHi) + 1) - w.du + w.bias, twoDv) - 1;
        lo = static_cast<std::int64_t>(std::max<Wide>(lo, nLo));
        hi = static_cast<std::int64_t>(std::min<Wide>(hi, nHi));
    }
    first = lo;
    last = hi;
}

}  // namespace

void DrawLine(Surface& dst, Point from, Point to, Pixel colour, Rect* touched) {
    if (dst.empty() || from == to) return;
    const std::int64_t dx = static_cast<std::int64_t>(to.x) - from.x;
    const std::int64_t dy = static_cast<std::int64_t>(to.y) - from.y;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const std::int64_t du = xMajor ? dx : dy, dv = xMajor ? dy : dx;
    Walk w{};
    w.u0 = xMajor ? from.x : from.y;
    w.v0 = xMajor ? from.y : from.x;
    w.su = du > 0 ? 1 : -1;
    w.sv = dv > 0 ? 1 : (dv < 0 ? -1 : 0);
    w.du = du < 0 ? -du : du;
    w.dv = dv < 0 ? -dv : dv;
    w.bias = w.sv > 0 ? 1 : 0;
    w.uSize = xMajor ? dst.width() : dst.height();
    w.vSize = xMajor ? dst.height() : dst.width();

    std::int64_t first = 0, last = 0;
    VisibleSteps(w, first, last);
    if (first > last) return;

    // Minor offset and remainder at the first visible step.
    const Wide twoDu = 2 * static_cast<Wide>(w.du);
    const Wide numerator = 2 * static_cast<Wide>(first) * w.dv + w.du - w.bias;
    std::int64_t offset = static_cast<std::int64_t>(numerator / twoDu);
    std::int64_t remainder = static_cast<std::int64_t>(numerator % twoDu);
    const std::int64_t twoDuSmall = 2 * w.du, twoDv = 2 * w.dv;

    const std::int64_t u = w.u0 + w.su * first, v = w.v0 + w.sv * offset;
    const int startX = static_cast<int>(xMajor ? u : v), startY = static_cast<int>(xMajor ? v : u);
    const std::ptrdiff_t pitch = dst.width();
    const std::ptrdiff_t majorStep = xMajor ? w.su : w.su * pitch;
    const std::ptrdiff_t minorStep = xMajor ? w.sv * pitch : w.sv;
    Pixel* p = dst.row(startY) + startX;
    std::int64_t minorMoves = 0;
    for (std::int64_t n = first;; ++n) {
        *p = colour;
        if (n == last) break;
        p += majorStep;
        remainder += twoDv;
        if (remainder >= twoDuSmall) {
            remainder -= twoDuSmall;
            p += minorStep;
            ++minorMoves;
        }
    }
    if (touched != nullptr) {
        const std::int64_t uEnd = w.u0 + w.su * last, vEnd = v + w.sv * minorMoves;
        const Point end{static_cast<int>(xMajor ? uEnd : vEnd),
                        static_cast<int>(xMajor ? vEnd : uEnd)};
        *touched = Unite(*touched, Unite(PixelRect({startX, startY}), PixelRect(end)));
    }
}

}  // namespace velnor
