// The scroll bars on screen: setting a value as code does, the user's and the test
// driver's scrolling turned into Scroll and Change events (scroll_events.h), and the
// handlers of the shape and depth spins, the colour bars, the size bar and the interval
// bar. HS_Fast has no handler.
#include <windows.h>

#include <optional>
#include <string>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"

namespace velnor {

using namespace control_id;

int SettingsDialog::ScrollValue(int id) const {
    const auto found = scrollBars_.find(id);
    return found == scrollBars_.end() ? 0 : found->second.value();
}

bool SettingsDialog::SetScrollValue(int id, int value) {
    const auto found = scrollBars_.find(id);
    if (found == scrollBars_.end()) return false;
    const SetByCode result = found->second.Set(value);
    if (result == SetByCode::kRefused) return false;
    if (result == SetByCode::kUnchanged) return true;
    SetScrollPos(Control(id), SB_CTL, value, TRUE);
    ChangeEvent(id);
    return true;
}

namespace {

std::optional<ScrollAction> ActionOf(WORD code) {
    switch (code) {
        case SB_LINEUP:
            return ScrollAction::kLineUp;
        case SB_LINEDOWN:
            return ScrollAction::kLineDown;
        case SB_PAGEUP:
            return ScrollAction::kPageUp;
        case SB_PAGEDOWN:
            return ScrollAction::kPageDown;
        case SB_TOP:
            return ScrollAction::kTop;
        case SB_BOTTOM:
            return ScrollAction::kBottom;
        case SB_THUMBTRACK:
            return ScrollAction::kThumbTrack;
        case SB_THUMBPOSITION:
            return ScrollAction::kThumbPosition;
        case SB_ENDSCROLL:
            return ScrollAction::kEndScroll;
        default:
            return std::nullopt;
    }
}

}  // namespace

// Arrows and trough move by the small and large steps and run Change; each step of a
// thumb drag runs Scroll, and its end runs Change once if the value moved. SB_ENDSCROLL
// also picks up a position set from outside with SBM_SETPOS.
void SettingsDialog::OnScroll(HWND bar, WPARAM wParam) {
    const int id = IdOf(bar);
    const auto found = scrollBars_.find(id);
    const std::optional<ScrollAction> action = ActionOf(LOWORD(wParam));
    if (found == scrollBars_.end() || !action) return;
    const int position = *action == ScrollAction::kEndScroll ? GetScrollPos(bar, SB_CTL)
                                                             : static_cast<short>(HIWORD(wParam));
    const ScrollEvents events = found->second.Apply(*action, position);
    SetScrollPos(bar, SB_CTL, found->second.value(), TRUE);
    if (events.scroll) ScrollEvent(id);
    if (events.change) ChangeEvent(id);
}

// The spins have only Change events, and HS_Fast has none.
void SettingsDialog::ScrollEvent(int id) {
    if (id == kAspV || id == kDepthV) return;
    ChangeEvent(id);
}

void SettingsDialog::ChangeEvent(int id) {
    switch (id) {
        case kAspV:
            AspVChange();
            break;
        case kDepthV:
            DepthVChange();
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
