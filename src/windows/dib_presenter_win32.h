// Shows the engine's surfaces on a window: a top-down 32-bit DIB section of the surface's
// size, into which the changed rows are copied and from which that area is blitted.
#pragma once

#include <windows.h>

#include "engine/geometry.h"
#include "engine/surface.h"

namespace velnor {

class DibPresenter {
  public:
    DibPresenter() = default;
    ~DibPresenter();
    DibPresenter(const DibPresenter&) = delete;
    DibPresenter& operator=(const DibPresenter&) = delete;

    // Makes the DIB section; false when the system refuses (then Present does nothing).
    bool Create(int width, int height);

    // Copies `area` of `frame` (the DIB's size) into the DIB section and onto `target`.
    void Present(HDC target, const Surface& frame, const Rect& area);

    // Blits `area` of what was presented last (for WM_PAINT).
    void Repaint(HDC target, const Rect& area) const;

  private:
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    Pixel* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace velnor
