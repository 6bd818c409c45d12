// Window procedures of the dialog's owner-drawn children. Each paints double-buffered
// through the dialog object; clickable ones report a click as WM_COMMAND BN_CLICKED to
// the top-level window, the way buttons do, so every click takes one route.
#include <windows.h>

#include <optional>

#include "dialog/child_look.h"
#include "dialog/dialog_window_win32.h"
#include "windows/gdi_helpers_win32.h"
#include "windows/window_wrapper_win32.h"

namespace velnor {
namespace {

SettingsDialog* DialogOf(HWND child) {
    HWND root = GetAncestor(child, GA_ROOT);
    return root ? reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(root, GWLP_USERDATA))
                : nullptr;
}

void ReportClick(HWND control) {
    SendMessageW(GetAncestor(control, GA_ROOT), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

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

// Mouse handling of captions and squares, as ClickStepsOf rules; false for messages
// that are not a button event.
bool HandleMouse(HWND window, UINT message, LPARAM lParam, bool actsOnPress) {
    const std::optional<MouseButtonEvent> event = ButtonEventOf(message);
    if (!event) return false;
    const RECT client = ClientRectOf(window);
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const ClickSteps steps =
        ClickStepsOf(*event, actsOnPress, GetCapture() == window, PtInRect(&client, at) != FALSE);
    if (steps.takeCapture) SetCapture(window);
    if (steps.releaseCapture) ReleaseCapture();
    if (steps.reportClick) ReportClick(window);
    return true;
}

// Every owner-drawn class shares this procedure; what a child does with the mouse and
// with its children's messages follows from its kind (InputOf).
LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SettingsDialog* dialog = DialogOf(window);
    const ControlSpec* layoutEntry = FindControl(GetDlgCtrlID(window));
    if (!dialog || !layoutEntry) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintDoubleBuffered(window, [&](HDC dc) { dialog->PaintChild(window, dc); });
            return 0;
        case WM_PRINTCLIENT:
            dialog->PaintChild(window, reinterpret_cast<HDC>(wParam));
            return 0;
        case BM_GETCHECK:  // option squares answer like check boxes
            return dialog->SquareCheck(window);
        case WM_SETTEXT:
        case WM_ENABLE: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        default:
            break;
    }
    const ChildInput input = InputOf(layoutEntry->kind);
    if (input == ChildInput::kClicks) {
        if (HandleMouse(window, message, lParam, ActsOnPress(*layoutEntry))) return 0;
    }
    if (input == ChildInput::kRoutesChildMessages) {
        LRESULT result = 0;
        if (dialog->RouteChildMessage(message, wParam, lParam, result)) return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Every class of the dialog redraws whole on a resize and has no background brush: each
// paints all of its client area itself.
bool Register(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    return RegisterWindowClass(instance, name, procedure, LoadCursorW(nullptr, IDC_ARROW),
                               CS_HREDRAW | CS_VREDRAW, nullptr);
}

}  // namespace

bool RegisterDialogClasses(HINSTANCE instance) {
    if (!Register(instance, kDialogClass, WrappedWindowProc<SettingsDialog>)) return false;
    for (const wchar_t* name :
         {kPanelClass, kLabelClass, kSquareClass, kPreviewClass, kPictureClass}) {
        if (!Register(instance, name, ChildProc)) return false;
    }
    return true;
}

}  // namespace velnor
