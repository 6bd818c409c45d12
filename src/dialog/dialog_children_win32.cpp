// Window procedure of the dialog's owner-drawn children. Each paints all of itself,
// double-buffered, through the dialog object; clickable ones click the way buttons do, so
// every click reaches the dialog as WM_COMMAND BN_CLICKED and takes one route. Each takes
// the keys its row's KeyRoleOf says.
#include <windows.h>

#include "dialog/child_look.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_window_win32.h"
#include "ui/owner_drawn_child_win32.h"
#include "ui/window_wrapper_win32.h"

namespace velnor {
namespace {

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
        case BM_GETSTATE: {
            const bool selected = dialog->model().SquareSelected(layoutEntry->id).value_or(false);
            if (message == BM_GETCHECK) return selected ? BST_CHECKED : BST_UNCHECKED;
            return (selected ? BST_CHECKED : 0) | (GetFocus() == window ? BST_FOCUS : 0) |
                   (GetCapture() == window ? BST_PUSHED : 0);
        }
        case WM_GETDLGCODE:
            return DialogCodeOf(KeyRoleOf(*layoutEntry).keys, reinterpret_cast<const MSG*>(lParam));
        case WM_KEYDOWN: {
            // The arrows move within the square's group: left and up back, the others on.
            const int step = wParam == VK_LEFT || wParam == VK_UP ? -1 : 1;
            const int pair = GroupNeighbour(layoutEntry->id, step);
            HWND partner = pair ? GetDlgItem(GetParent(window), pair) : nullptr;
            if (ServeChildKeys(window, KeyRoleOf(*layoutEntry).keys, partner, wParam, lParam)) {
                return 0;
            }
            break;
        }
        default:
            break;
    }
    const ChildInput input = InputOf(layoutEntry->kind);
    if (input == ChildInput::kClicks) {
        if (message == WM_LBUTTONDOWN) dialog->Pressed(layoutEntry->id);
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
