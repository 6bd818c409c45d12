// Message routing of the settings dialog: clicks (WM_COMMAND BN_CLICKED from buttons,
// check boxes, squares and captions), Alt+letter keys, the list's selection, scrolling and
// focus changes go to the controller; the children's colours and cursors, DPI changes and
// the window's end are served here.
#include <windows.h>

#include "dialog/control_ids.h"
#include "dialog/dialog_focus.h"
#include "dialog/dialog_window_win32.h"
#include "resources/resource_ids.h"
#include "ui/gdi_helpers_win32.h"
#include "ui/owner_drawn_child_win32.h"

namespace velnor {

using namespace control_id;

void SettingsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    // An accelerator, an Alt+letter key, carries 1 and no window.
    if (HIWORD(wParam) == 1 && lParam == 0) return controller_.Mnemonic(static_cast<char>(id));
    if (HIWORD(wParam) == LBN_SELCHANGE && id == kPictureList) {
        const LRESULT line = SendMessageW(Control(kPictureList), LB_GETCURSEL, 0, 0);
        if (line != LB_ERR) controller_.SelectLine(static_cast<std::size_t>(line));
    }
    if (HIWORD(wParam) != BN_CLICKED) return;
    // Enter and Escape reach the dialog as IDOK and IDCANCEL when no push button is the
    // default one.
    controller_.Click(id == IDOK ? kSaveButton : id == IDCANCEL ? kCancelButton : id);
}

// SB_ENDSCROLL carries no position: the bar's own is taken, which also picks up a
// position put on the bar from outside with SBM_SETPOS.
void SettingsDialog::OnScroll(HWND bar, WPARAM wParam) {
    const std::optional<ScrollAction> action = ScrollActionFromCode(LOWORD(wParam));
    if (!action) return;
    const int position = *action == ScrollAction::kEndScroll ? GetScrollPos(bar, SB_CTL)
                                                             : static_cast<short>(HIWORD(wParam));
    controller_.Scroll(IdOf(bar), *action, position);
}

// The hand over what clicks, the hourglass while the dialog is busy; false: the system's.
bool SettingsDialog::OnSetCursor(HWND child) {
    const Pointer pointer =
        PointerOver(IdOf(child), IsWindowEnabled(child) != FALSE, controller_.busy());
    if (pointer == Pointer::kSystem) return false;
    // Loaded cursors are shared by the process: loading one again costs nothing.
    const int hand = pointer == Pointer::kLinkHand ? IDCUR_LINK_HAND : IDCUR_HAND;
    SetCursor(pointer == Pointer::kWait ? LoadCursorW(nullptr, IDC_WAIT)
                                        : LoadCursorW(instance_, MAKEINTRESOURCEW(hand)));
    return true;
}

bool SettingsDialog::RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return true;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lParam != 0) OnScroll(reinterpret_cast<HWND>(lParam), wParam);
            return lParam != 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Check boxes and buttons over a textured panel show the texture around them.
            HWND child = reinterpret_cast<HWND>(lParam);
            const auto brush = panelBrushes_.find(IdOf(GetParent(child)));
            if (brush == panelBrushes_.end() || !brush->second) return false;
            result =
                ParentPatternBackground(reinterpret_cast<HDC>(wParam), child, brush->second.get());
            return true;
        }
        case WM_SETCURSOR:
            result = TRUE;
            return OnSetCursor(reinterpret_cast<HWND>(wParam));
        default:
            return false;
    }
}

LRESULT SettingsDialog::handle_message(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (RouteChildMessage(message, wParam, lParam, routed)) return routed;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the content panel covers the whole client area
        case WM_DPICHANGED:
            ApplyDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            controller_.Close();  // the close box saves nothing, like "ｷｬﾝｾﾙ"
            return 0;
        case WM_DESTROY:
            RemovePropW(window_, kDialogKeysProperty);
            PostQuitMessage(0);
            return 0;
        case DM_GETDEFID:  // the focused push button, else "設定"
            return MAKELRESULT(DefaultButtonFor(IdOf(GetFocus())), DC_HASDEFID);
        case kChildFocusMessage:
            controller_.FocusChanged(IdOf(reinterpret_cast<HWND>(lParam)), wParam != FALSE);
            return 0;
        case WM_ACTIVATE:
            // The focus comes back to the control that had it (every child reports gaining
            // the focus, so the controller knows that control when the window is deactivated).
            if (HIWORD(wParam) != 0) break;  // minimised
            if (LOWORD(wParam) != WA_INACTIVE) controller_.RestoreFocus();
            return 0;
        case WM_SETFOCUS:
            controller_.RestoreFocus();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace velnor
