// Presentation of a surface: one SetDIBitsToDevice per area, reading the surface's rows
// where they are.
#include "windows/dib_presenter_win32.h"

#include "engine/dib_info_win32.h"

namespace velnor {

bool DibPresenter::Show(std::span<const Rect> areas) {
    if (!target_) return false;
    bool shown = true;
    for (const Rect& area : areas) shown = Repaint(target_, area) && shown;
    return shown;
}

bool DibPresenter::Repaint(HDC target, const Rect& area) const {
    const Rect clipped = Intersect(area, frame_.bounds());
    if (clipped.empty()) return true;
    // The source is described as just the area's rows, so the first of them is the DIB's
    // top row whichever way a system counts the rows of a top-down DIB.
    const auto rows = static_cast<int>(clipped.height());
    const BITMAPINFO info = TopDownDibInfo(frame_.width(), rows);
    return SetDIBitsToDevice(target, clipped.left, clipped.top, static_cast<DWORD>(clipped.width()),
                             static_cast<DWORD>(rows), clipped.left, 0, 0, static_cast<UINT>(rows),
                             frame_.row(clipped.top), &info, DIB_RGB_COLORS) != 0;
}

}  // namespace velnor
