// Presentation of a frame: one DrawSurface per changed area.
#include "windows/dib_presenter_win32.h"

namespace velnor {

bool DibPresenter::Show(std::span<const Rect> areas) {
    if (!target_) return false;
    bool shown = true;
    for (const Rect& area : areas) shown = Repaint(target_, area) && shown;
    return shown;
}

bool DibPresenter::Repaint(HDC target, const Rect& area) const {
    return DrawSurface(target, Point{area.left, area.top}, frame_, area);
}

}  // namespace velnor
