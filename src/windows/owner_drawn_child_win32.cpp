// Painting and click messages of owner-drawn children, with the click rule of
// click_rule.h carried out on the mouse capture.
#include "windows/owner_drawn_child_win32.h"

#include <optional>

#include "dialog/click_rule.h"
#include "windows/gdi_helpers_win32.h"

namespace velnor {
namespace {

std::optional<MouseButtonEvent> ButtonEventOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return MouseButtonEvent::kLeftPress;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return MouseButtonEvent::kOtherPress;
        case WM_LBUTTONUP:
            return MouseButtonEvent::kLeftRelease;
        default:
            return std::nullopt;
    }
}

void ReportClick(HWND child) {
    SendMessageW(GetAncestor(child, GA_ROOT), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), reinterpret_cast<LPARAM>(child));
}

}  // namespace

bool ServeSelfPaintingChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                            const std::function<void(HDC)>& paint, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT:
            PaintDoubleBuffered(child, paint);
            result = 0;
            return true;
        case WM_PRINTCLIENT:
            paint(reinterpret_cast<HDC>(wParam));
            result = 0;
            return true;
        case WM_SETTEXT:
        case WM_ENABLE:
            result = DefWindowProcW(child, message, wParam, lParam);
            InvalidateRect(child, nullptr, FALSE);
            return true;
        default:
            return false;
    }
}

bool ServeButtonLikeClicks(HWND child, UINT message, LPARAM lParam, bool actsOnPress) {
    const std::optional<MouseButtonEvent> event = ButtonEventOf(message);
    if (!event) return false;
    const RECT client = ClientRectOf(child);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const ClickSteps steps =
        ClickStepsOf(*event, actsOnPress, GetCapture() == child, PtInRect(&client, at) != FALSE);
    if (steps.takeCapture) SetCapture(child);
    if (steps.releaseCapture) ReleaseCapture();
    if (steps.reportClick) ReportClick(child);
    return true;
}

}  // namespace velnor
