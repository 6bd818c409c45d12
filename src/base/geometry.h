// Integer points and rectangles in surface pixels, used by the drawing operations to
// clip and to report the area they changed. Rectangles are half-open: right and bottom
// are one past the last pixel, so an empty rectangle has right <= left or bottom <= top.
#pragma once

#include <algorithm>

namespace velnor {

struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool empty() const { return right <= left || bottom <= top; }
    // Sizes of an empty rectangle are 0; computed in 64 bits so that extreme
    // coordinates cannot overflow.
    constexpr long long width() const { return empty() ? 0 : static_cast<long long>(right) - left; }
    constexpr long long height() const {
        return empty() ? 0 : static_cast<long long>(bottom) - top;
    }
    constexpr bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    bool operator==(const Rect&) const = default;
};

// The overlap of two rectangles; empty (all zero) when they do not overlap.
constexpr Rect Intersect(const Rect& a, const Rect& b) {
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    return r.empty() ? Rect{} : r;
}

// The smallest rectangle holding both; an empty operand is ignored.
constexpr Rect Unite(const Rect& a, const Rect& b) {
    if (a.empty()) return b.empty() ? Rect{} : b;
    if (b.empty()) return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// The rectangle of one pixel.
constexpr Rect PixelRect(Point p) {
    return Rect{p.x, p.y, p.x + 1, p.y + 1};
}

}  // namespace velnor
