// The scroll bars: setting a value as code does (out of range fails and leaves the
// control at its value; an equal value runs nothing), the user's and the test driver's
// scrolling, and the change handlers of the shape and depth spins, the colour bars, the
// size bar and the interval bar. HS_Fast has no handler.
#include <windows.h>

#include <algorithm>
#include <string>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"

namespace velnor {

using namespace control_id;

int SettingsDialog::ScrollValue(int id) const {
    const auto found = scrollValues_.find(id);
    return found == scrollValues_.end() ? 0 : found->second;
}

bool SettingsDialog::SetScrollValue(int id, int value) {
    const ControlSpec* spec = FindControl(id);
    if (!spec || value < spec->range.min || value > spec->range.max) return false;
    if (ScrollValue(id) == value) return true;
    scrollValues_[id] = value;
    SetScrollPos(Control(id), SB_CTL, value, TRUE);
    ScrollChanged(id, false);
    return true;
}

// Arrows and trough move by the small and large steps; a thumb drag reports each step
// (a Scroll event) and its end (a Change). SB_ENDSCROLL also picks up a position set
// from outside with SBM_SETPOS.
void SettingsDialog::OnScroll(HWND bar, WPARAM wParam) {
    const int id = IdOf(bar);
    const ControlSpec* spec = FindControl(id);
    if (!spec) return;
    const ScrollRange& range = spec->range;
    const int current = ScrollValue(id);
    const int thumb = static_cast<short>(HIWORD(wParam));
    int wanted = current;
    bool dragging = false;
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            wanted = current - range.smallChange;
            break;
        case SB_LINEDOWN:
            wanted = current + range.smallChange;
            break;
        case SB_PAGEUP:
            wanted = current - range.largeChange;
            break;
        case SB_PAGEDOWN:
            wanted = current + range.largeChange;
            break;
        case SB_TOP:
            wanted = range.min;
            break;
        case SB_BOTTOM:
            wanted = range.max;
            break;
        case SB_THUMBTRACK:
            wanted = thumb;
            dragging = true;
            break;
        case SB_THUMBPOSITION:
            wanted = thumb;
            break;
        case SB_ENDSCROLL:
            wanted = GetScrollPos(bar, SB_CTL);
            break;
        default:
            return;
    }
    wanted = std::clamp<int>(wanted, range.min, range.max);
    SetScrollPos(bar, SB_CTL, wanted, TRUE);
    if (wanted == current) return;
    scrollValues_[id] = wanted;
    ScrollChanged(id, dragging);
}

void SettingsDialog::ScrollChanged(int id, bool dragging) {
    switch (id) {
        case kAspV:
            if (!dragging) AspVChange();
            break;
        case kDepthV:
            if (!dragging) DepthVChange();
            break;
        case kHRgb0:
        case kHRgb1:
        case kHRgb2:
            HRgbChange(id - kHRgb0);
            break;
        case kHScale:
            RedrawPreview();
            break;
        case kIntval:
            IntvalChange();
            break;
        default:
            break;
    }
}

void SettingsDialog::AspVChange() {
    SetText(kLblAsp, std::to_string(-ScrollValue(kAspV)));
    RedrawPreview();
}

void SettingsDialog::DepthVChange() {
    SetText(kLblDepth, std::to_string(-ScrollValue(kDepthV)));
    RedrawPreview();
}

void SettingsDialog::HRgbChange(int index) {
    auto& colour = preview_.previewBallColour;
    colour[static_cast<std::size_t>(index)] =
        static_cast<std::int16_t>(ScrollValue(kHRgb0 + index));
    PaintPreviewBall(colour[0], colour[1], colour[2]);
    RedrawPreview();
}

void SettingsDialog::IntvalChange() {
    SetText(kLblIntval, std::to_string(ScrollValue(kIntval)));
}

}  // namespace velnor
