// Window procedure of the dialog's owner-drawn children. Each paints all of itself,
// double-buffered, through the dialog object; clickable ones click the way buttons do, so
// every click reaches the dialog as WM_COMMAND BN_CLICKED and takes one route. Option
// squares and the link take the focus and keys as buttons do; captions are static text.
#include <windows.h>

#include "dialog/child_look.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_window_win32.h"
#include "windows/owner_drawn_child_win32.h"
#include "windows/window_wrapper_win32.h"

namespace velnor {
namespace {

// WM_GETDLGCODE: captions are static text, which the dialog keys and the accessibility
// layer pair with the control after them; option squares are buttons, a pair's squares
// radio buttons that take the arrows themselves; the link takes Enter.
LRESULT DialogCodeOf(const ControlSpec& control, const MSG* message) {
    switch (control.kind) {
        case ControlKind::kOptionSquare:
            return PairPartner(control.id) ? DLGC_BUTTON | DLGC_RADIOBUTTON | DLGC_WANTARROWS
                                           : DLGC_BUTTON;
        case ControlKind::kClickableCaption:
            if (TakesFocus(control)) {
                const bool enter =
                    message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
                return enter ? DLGC_WANTMESSAGE : 0;
            }
            return DLGC_STATIC;
        case ControlKind::kLabel:
            return DLGC_STATIC;
        default:
            return 0;
    }
}

// Keys of a focused square or link: Space clicks (the link also takes Enter); an arrow
// moves to the other square of a pair and selects it.
bool ServeKeys(HWND window, const ControlSpec& control, WPARAM key, LPARAM lParam) {
    const bool repeated = (lParam & (1 << 30)) != 0;
    const bool link = control.kind == ControlKind::kClickableCaption;
    if (key == VK_SPACE || (link && key == VK_RETURN)) {
        if (!repeated) ReportClick(window);
        return true;
    }
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    const int partner = PairPartner(control.id);
    if (!arrow || !partner) return false;
    HWND other = GetDlgItem(GetParent(window), partner);
    if (other && IsWindowEnabled(other)) {
        SetFocus(other);
        ReportClick(other);
    }
    return true;
}

// The focus follows a press on a square, the link, or a caption whose control takes it.
void FocusOnPress(HWND window, const ControlSpec& control) {
    HWND target = window;
    if (control.partner != 0) target = GetDlgItem(GetParent(window), control.partner);
    const ControlSpec* targetEntry = control.partner ? FindControl(control.partner) : &control;
    if (!target || !targetEntry || !TakesFocus(*targetEntry) || !IsWindowEnabled(target)) return;
    if (GetFocus() != target) SetFocus(target);
}

// Every owner-drawn class shares this procedure; what a child does with the mouse and
// with its children's messages follows from its kind (InputOf).
LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SettingsDialog* dialog = WrappedWindowOf<SettingsDialog>(GetAncestor(window, GA_ROOT));
    const ControlSpec* layoutEntry = FindControl(GetDlgCtrlID(window));
    if (!dialog || !layoutEntry) return DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    const auto paint = [&](HDC dc) { dialog->PaintChild(window, dc); };
    if (ServeSelfPaintingChild(window, message, wParam, lParam, paint, result)) return result;
    switch (message) {
        // Option squares answer BM_GETCHECK and BM_GETSTATE like check boxes.
        case BM_GETCHECK:
            return dialog->SquareCheck(window);
        case BM_GETSTATE:
            return dialog->SquareCheck(window) | (GetFocus() == window ? BST_FOCUS : 0) |
                   (GetCapture() == window ? BST_PUSHED : 0);
        case WM_GETDLGCODE:
            return DialogCodeOf(*layoutEntry, reinterpret_cast<const MSG*>(lParam));
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window, nullptr, FALSE);
            SendMessageW(GetAncestor(window, GA_ROOT), kChildFocusMessage, message == WM_SETFOCUS,
                         reinterpret_cast<LPARAM>(window));
            return 0;
        case WM_KEYDOWN:
            if (TakesFocus(*layoutEntry) && ServeKeys(window, *layoutEntry, wParam, lParam)) {
                return 0;
            }
            break;
        default:
            break;
    }
    const ChildInput input = InputOf(layoutEntry->kind);
    if (input == ChildInput::kClicks) {
        if (message == WM_LBUTTONDOWN) FocusOnPress(window, *layoutEntry);
        if (ServeButtonLikeClicks(window, message, lParam, ActsOnPress(*layoutEntry))) return 0;
    }
    if (input == ChildInput::kRoutesChildMessages) {
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
