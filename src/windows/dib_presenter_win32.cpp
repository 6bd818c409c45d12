// Presentation of a surface through a DIB section: the surface's pixel layout is that of
// the DIB, so presenting is a row copy of the changed area and one BitBlt.
#include "windows/dib_presenter_win32.h"

#include <cstring>

#include "engine/dib_info_win32.h"

namespace velnor {

DibPresenter::~DibPresenter() {
    if (memory_) {
        SelectObject(memory_, oldBitmap_);
        DeleteDC(memory_);
    }
    if (bitmap_) DeleteObject(bitmap_);
}

bool DibPresenter::Create(int width, int height) {
    BITMAPINFO info = TopDownDibInfo(width, height);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    memory_ = CreateCompatibleDC(nullptr);
    if (!bitmap_ || !memory_ || !bits) return false;
    oldBitmap_ = SelectObject(memory_, bitmap_);
    bits_ = static_cast<Pixel*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void DibPresenter::Present(HDC target, const Surface& frame, const Rect& area) {
    if (!bits_ || frame.width() != width_ || frame.height() != height_) return;
    const Rect clipped = Intersect(area, Rect{0, 0, width_, height_});
    if (clipped.empty()) return;
    GdiFlush();  // GDI must be done with the section before its memory is written
    const auto rowBytes = static_cast<std::size_t>(clipped.width()) * sizeof(Pixel);
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        std::memcpy(bits_ + static_cast<std::size_t>(y) * width_ + clipped.left,
                    frame.row(y) + clipped.left, rowBytes);
    }
    Repaint(target, clipped);
}

void DibPresenter::Repaint(HDC target, const Rect& area) const {
    if (!memory_ || area.empty()) return;
    BitBlt(target, area.left, area.top, static_cast<int>(area.width()),
           static_cast<int>(area.height()), memory_, area.left, area.top, SRCCOPY);
}

}  // namespace velnor
