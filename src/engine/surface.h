// A drawing surface that only stores pixels: 32-bit, top-down, in the memory layout
// of a Windows DIB section (blue in the low byte), so the Windows shell presents it
// without converting. Drawing operations live in their own files.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

#include "base/colour.h"
#include "base/geometry.h"

namespace velnor {

class Surface {
  public:
    Surface() = default;
    Surface(int width, int height, Pixel fill = 0)
        : width_(width > 0 ? width : 0),
          height_(height > 0 ? height : 0),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }
    // The rectangle of all pixels, (0, 0) to (width, height).
    Rect bounds() const { return Rect{0, 0, width_, height_}; }
    void Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }
    // Bytes from one row to the next.
    int pitch() const { return width_ * static_cast<int>(sizeof(Pixel)); }

    Pixel* row(int y) {
        assert(y >= 0 && y < height_);
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    const Pixel* row(int y) const {
        assert(y >= 0 && y < height_);
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    Pixel at(int x, int y) const { return row(y)[x]; }
    void set(int x, int y, Pixel p) { row(y)[x] = p; }

    Pixel* data() { return pixels_.data(); }
    const Pixel* data() const { return pixels_.data(); }

    bool operator==(const Surface&) const = default;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace velnor
