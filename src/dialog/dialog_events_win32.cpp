// Message routing of the settings dialog: clicks (WM_COMMAND BN_CLICKED from buttons,
// check boxes, squares and captions), scrolling, the children's colours and cursors, DPI
// changes and closing. Each case hands off to a handler of its feature file.
#include <windows.h>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"

namespace velnor {
namespace {

using namespace control_id;

template <std::size_t N>
int IndexIn(const int (&ids)[N], int id) {
    for (std::size_t i = 0; i < N; ++i) {
        if (ids[i] == id) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

bool SettingsDialog::HandleClick(int id) {
    static constexpr int kPer[] = {kPicPer0, kPicPer1, kLblPer0, kLblPer1};
    static constexpr int kSize[] = {kPicSize0, kPicSize1, kLblSize0, kLblSize1};
    static constexpr int kSample[] = {kPicSample0, kPicSample1, kLblSample0, kLblSample1};
    static constexpr int kKind[] = {kPicKind0, kPicKind1, kPicKind2, kPicKind3,
                                    kLblKind0, kLblKind1, kLblKind2, kLblKind3};
    static constexpr int kRdm[] = {kLblRdm0, kLblRdm1, kLblRdm2};
    if (int i = IndexIn(kPer, id); i >= 0) {
        PicPerClick(i % 2);
    } else if (i = IndexIn(kSize, id); i >= 0) {
        PicSizeClick(i % 2);
    } else if (i = IndexIn(kSample, id); i >= 0) {
        PicSample12Click(i % 2);
    } else if (i = IndexIn(kKind, id); i >= 0) {
        PicKindClick(i % 4);
    } else if (i = IndexIn(kRdm, id); i >= 0) {
        LblRdmClick(i);
    } else if (id == kChkSample) {
        ChkSampleClick();
    } else if (id == kLblSample) {
        LblSampleClick();
    } else if (id == kFolder) {
        FolderClick();
    } else if (id == kCmdColor1 || id == kCmdColor2) {
        CmdColorClick(id - kCmdColor1 + 1);
    } else if (id == kLblUrl) {
        LblUrlMouseDown();
    } else if (id == kCmdOk) {
        CmdOkClick();
    } else if (id == kCmdInit) {
        CmdInitClick();
    } else if (id == kCmdCan || id == IDCANCEL) {
        CmdCanClick();
    } else {
        return false;
    }
    return true;
}

bool SettingsDialog::RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result) {
    switch (message) {
        case WM_COMMAND:
            result = 0;
            if (HIWORD(wParam) == BN_CLICKED) HandleClick(LOWORD(wParam));
            if (HIWORD(wParam) == LBN_SELCHANGE && LOWORD(wParam) == kList1) List1Click();
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
            HWND parent = GetParent(child);
            const auto brush = panelBrushes_.find(IdOf(parent));
            if (brush == panelBrushes_.end() || !brush->second) return false;
            POINT at{0, 0};
            MapWindowPoints(child, parent, &at, 1);
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetBrushOrgEx(dc, -at.x, -at.y, nullptr);
            result = reinterpret_cast<LRESULT>(brush->second);
            return true;
        }
        case WM_SETCURSOR: {
            if (busyCursor_) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                result = TRUE;
                return true;
            }
            HWND child = reinterpret_cast<HWND>(wParam);
            const int id = IdOf(child);
            if (!handControls_.count(id) || !IsWindowEnabled(child)) return false;
            SetCursor(id == kLblUrl ? linkCursor_ : handCursor_);
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
            return 1;  // Pic_C covers the whole client area
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ApplyDpi(LOWORD(wParam));
            ShowThumbnail();
            const PixelSize size = DialogOuterSize(dpi_);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.width, size.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            CmdCanClick();  // the close box saves nothing, like "ｷｬﾝｾﾙ"
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace velnor
