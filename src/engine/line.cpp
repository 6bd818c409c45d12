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

// Where a line's visible pixels lie in a surface's pixel array and how to step through them.
struct LinePlan {
    std::ptrdiff_t start = 0;  // index of the first visible pixel
    std::ptrdiff_t majorStep = 0, minorStep = 0;
    std::int64_t count = 0;  // visible pixels
    std::int64_t remainder = 0, twoDu = 0, twoDv = 0;
    Rect bounds;  // of the visible pixels
};

// The minor offset of step n: floor((2 n dv + du - bias) / (2 du)), with its remainder.
void OffsetAt(const Walk& w, std::int64_t n, std::int64_t& offset, std::int64_t& remainder) {
    if (w.du < (std::int64_t{1} << 30)) {  // products fit 64 bits
        const std::int64_t numerator = 2 * n * w.dv + w.du - w.bias;
        offset = numerator / (2 * w.du);
        remainder = numerator % (2 * w.du);
        return;
    }
    const Wide numerator = 2 * static_cast<Wide>(n) * w.dv + w.du - w.bias;
    offset = static_cast<std::int64_t>(numerator / (2 * static_cast<Wide>(w.du)));
    remainder = static_cast<std::int64_t>(numerator % (2 * static_cast<Wide>(w.du)));
}

bool Inside(const Surface& s, Point p) {
    return p.x >= 0 && p.y >= 0 && p.x < s.width() && p.y < s.height();
}

// Plans the line from `from` towards `to` on `dst`; false when no pixel is visible.
bool PlanLine(const Surface& dst, Point from, Point to, LinePlan& plan) {
    if (dst.empty() || from == to) return false;
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

    // Lines between two points on the surface need no clipping (the usual case).
    std::int64_t first = 0, last = w.du - 1;
    if (!Inside(dst, from) || !Inside(dst, to)) VisibleSteps(w, first, last);
    if (first > last) return false;

    std::int64_t offset = 0, lastOffset = 0;
    if (first == 0) {
        plan.remainder = w.du - w.bias;
    } else {
        OffsetAt(w, first, offset, plan.remainder);
    }
    if (last == w.du - 1) {
        // floor(dv + (du - 2 dv - bias) / (2 du)), without a division.
        lastOffset = w.du - 2 * w.dv - w.bias >= 0 ? w.dv : w.dv - 1;
    } else {
        std::int64_t unused = 0;
        OffsetAt(w, last, lastOffset, unused);
    }
    const std::int64_t u = w.u0 + w.su * first, v = w.v0 + w.sv * offset;
    const std::int64_t uEnd = w.u0 + w.su * last, vEnd = w.v0 + w.sv * lastOffset;
    const Point start{static_cast<int>(xMajor ? u : v), static_cast<int>(xMajor ? v : u)};
    const Point end{static_cast<int>(xMajor ? uEnd : vEnd), static_cast<int>(xMajor ? vEnd : uEnd)};
    const std::ptrdiff_t pitch = dst.width();
    plan.start = static_cast<std::ptrdiff_t>(start.y) * pitch + start.x;
    plan.majorStep = xMajor ? w.su : w.su * pitch;
    plan.minorStep = xMajor ? w.sv * pitch : w.sv;
    plan.count = last - first + 1;
    plan.twoDu = 2 * w.du;
    plan.twoDv = 2 * w.dv;
    plan.bounds = Unite(PixelRect(start), PixelRect(end));
    return true;
}

// Calls visit(index) for the index of every planned pixel, in drawing order.
template <typename Visit>
void WalkPlan(const LinePlan& plan, Visit&& visit) {
    std::ptrdiff_t index = plan.start;
    std::int64_t remainder = plan.remainder;
    const std::ptrdiff_t both = plan.majorStep + plan.minorStep;
    for (std::int64_t n = 0;; ++n) {
        visit(index);
        if (n + 1 == plan.count) break;
        // Conditional moves rather than a branch: the minor steps follow the slope, which a
        // branch predictor guesses badly.
        remainder += plan.twoDv;
        const bool minor = remainder >= plan.twoDu;
        remainder = minor ? remainder - plan.twoDu : remainder;
        index += minor ? both : plan.majorStep;
    }
}

}  // namespace

void DrawLine(Surface& dst, Point from, Point to, Pixel colour, Rect* touched) {
    LinePlan plan;
    if (!PlanLine(dst, from, to, plan)) return;
    Pixel* pixels = dst.data();
    WalkPlan(plan, [&](std::ptrdiff_t i) { pixels[i] = colour; });
    if (touched != nullptr) *touched = Unite(*touched, plan.bounds);
}

void CopyLine(Surface& dst, const Surface& src, Point from, Point to, Rect* touched) {
    LinePlan plan;
    if (src.width() != dst.width() || src.height() != dst.height()) return;
    if (!PlanLine(dst, from, to, plan)) return;
    Pixel* out = dst.data();
    const Pixel* in = src.data();
    WalkPlan(plan, [&](std::ptrdiff_t i) { out[i] = in[i]; });
    if (touched != nullptr) *touched = Unite(*touched, plan.bounds);
}

}  // namespace velnor
