// Message routing of the settings dialog: clicks (WM_COMMAND BN_CLICKED from buttons,
// check boxes, squares and captions) and scrolling go to the model, or to the view's
// own handlers for what opens a window; the children's colours and cursors, DPI changes
// and closing are served here.
#include <windows.h>

#include "dialog/control_ids.h"
#include "dialog/dialog_focus.h"
#include "dialog/dialog_window_win32.h"
#include "resources/resource_ids.h"
#include "ui/gdi_helpers_win32.h"
#include "ui/owner_drawn_child_win32.h"

namespace velnor {

using namespace control_id;

void SettingsDialog::HandleClick(int id) {
    if (model_.Click(id)) return;
    if (id == kFolderButton) FolderClick();
    if (id == kParallelColourButton || id == kMeridianColourButton)
        ColourClick(id - kParallelColourButton + 1);
    if (id == kHomepageLink) OpenHomepage();
    // Enter reaches the dialog as IDOK when no push button is the default one.
    if (id == kSaveButton || id == IDOK || id == kFactoryButton)
        Save(id == IDOK ? kSaveButton : id);
    if (id == kCancelButton || id == IDCANCEL) CloseDialog();
}

// SB_ENDSCROLL carries no position: the bar's own is taken, which also picks up a
// position put on the bar from outside with SBM_SETPOS.
void SettingsDialog::OnScroll(HWND bar, WPARAM wParam) {
    const std::optional<ScrollAction> action = ScrollActionFromCode(LOWORD(wParam));
    if (!action) return;
    const int position = *action == ScrollAction::kEndScroll ? GetScrollPos(bar, SB_CTL)
                                                             : static_cast<short>(HIWORD(wParam));
    model_.Scroll(IdOf(bar), *action, position);
}

bool SettingsDialog::RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            result = 0;
            // An accelerator, an Alt+letter key, carries 1 and no window.
            if (HIWORD(wParam) == 1 && lParam == 0) {
                OnMnemonic(static_cast<char>(LOWORD(wParam)));
                return true;
            }
            if (HIWORD(wParam) == BN_CLICKED) HandleClick(LOWORD(wParam));
            if (HIWORD(wParam) == LBN_SELCHANGE && LOWORD(wParam) == kPictureList)
                ShowSelectedPicture();
            return true;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lParam == 0) return false;
            OnScroll(reinterpret_cast<HWND>(lParam), wParam);
            result = 0;
            return true;
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
        case WM_SETCURSOR: {
            HWND child = reinterpret_cast<HWND>(wParam);
            const Pointer pointer =
                PointerOver(IdOf(child), IsWindowEnabled(child) != FALSE, busyCursor_);
            if (pointer == Pointer::kSystem) return false;
            // Loaded cursors are shared by the process: loading one again costs nothing.
            const int hand = pointer == Pointer::kLinkHand ? IDCUR_LINK_HAND : IDCUR_HAND;
            SetCursor(pointer == Pointer::kWait ? LoadCursorW(nullptr, IDC_WAIT)
                                                : LoadCursorW(instance_, MAKEINTRESOURCEW(hand)));
            result = TRUE;
            return true;
        }
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
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ApplyDpi(LOWORD(wParam));
            const SIZE size = OuterSize();
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            CloseDialog();  // the close box saves nothing, like "ｷｬﾝｾﾙ"
            return 0;
        case WM_DESTROY:
            RemovePropW(window_, kDialogKeysProperty);
            PostQuitMessage(0);
            return 0;
        case DM_GETDEFID:  // the focused push button, else "設定"
            return MAKELRESULT(DefaultButtonFor(IdOf(GetFocus())), DC_HASDEFID);
        case kChildFocusMessage:
            OnChildFocus(reinterpret_cast<HWND>(lParam), wParam != FALSE);
            return 0;
        case WM_ACTIVATE:
            // The focus comes back to the control that had it (every child reports gaining
            // the focus, so lastFocus_ is that control when the window is deactivated).
            if (HIWORD(wParam) != 0) break;  // minimised
            if (LOWORD(wParam) != WA_INACTIVE) RestoreFocus();
            return 0;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace velnor
