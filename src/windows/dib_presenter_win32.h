// Shows the saver loop's frames on a window: GDI copies each changed area straight from
// the frame's surface onto the window, with no DIB section in between and no copy of our own.
#pragma once

#include <windows.h>

#include <span>

#include "base/geometry.h"
#include "engine/surface.h"
#include "saver/presentation_plan.h"
#include "ui/surface_drawing_win32.h"

namespace velnor {

class DibPresenter final : public FrameOutput {
  public:
    // Presents areas of `frame` (which must outlive this) on `target`, a device context the
    // window keeps for its lifetime (a class with its own DC).
    DibPresenter(HDC target, const Surface& frame) : target_(target), frame_(frame) {}

    bool Show(std::span<const Rect> areas) override;

    // Copies `area` of the frame onto `target` (for WM_PAINT).
    bool Repaint(HDC target, const Rect& area) const;

  private:
    HDC target_;
    const Surface& frame_;
};

}  // namespace velnor
