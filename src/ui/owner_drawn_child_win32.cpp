// Painting and click messages of owner-drawn children, with the click rule of
// click_rule.h carried out on the mouse capture, and the focus ring of the dialog's
// children.
#include "ui/owner_drawn_child_win32.h"

#include <optional>

#include "ui/click_rule.h"
#include "ui/gdi_helpers_win32.h"

namespace velnor {
namespace {

void ReportFocus(HWND child, bool gained) {
    SendMessageW(GetAncestor(child, GA_ROOT), kChildFocusMessage, gained,
                 reinterpret_cast<LPARAM>(child));
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

constexpr wchar_t kOriginalProcProperty[] = L"VelnorOriginalProc";
constexpr wchar_t kRingProperty[] = L"VelnorFocusRing";
constexpr wchar_t kHiddenTextProperty[] = L"VelnorTextNotPainted";
constexpr wchar_t kDepthProperty[] = L"VelnorMessageDepth";

// While the control handles a message of its own, its text reads as empty to itself.
bool AnswerEmptyText(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_GETTEXT && message != WM_GETTEXTLENGTH) return false;
    if (!GetPropW(window, kHiddenTextProperty) || !GetPropW(window, kDepthProperty)) return false;
    if (message == WM_GETTEXT && wParam > 0 && lParam) reinterpret_cast<wchar_t*>(lParam)[0] = 0;
    result = 0;
    return true;
}

LRESULT CallOriginal(WNDPROC original, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!GetPropW(window, kHiddenTextProperty)) {
        return CallWindowProcW(original, window, message, wParam, lParam);
    }
    const auto depth = reinterpret_cast<INT_PTR>(GetPropW(window, kDepthProperty));
    SetPropW(window, kDepthProperty, reinterpret_cast<HANDLE>(depth + 1));
    const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
    if (IsWindow(window)) SetPropW(window, kDepthProperty, reinterpret_cast<HANDLE>(depth));
    return result;
}

// Messages that never paint the control at once: the ring is not drawn again after them.
// A list's lines only mark it for painting (and come by the thousand while a folder is
// listed).
bool NeverPaints(UINT message) {
    switch (message) {
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
        case LB_DELETESTRING:
        case LB_RESETCONTENT:
        case LB_SETHORIZONTALEXTENT:
        case WM_NCHITTEST:
        case WM_SETCURSOR:
        case WM_GETDLGCODE:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_GETOBJECT:
        case WM_GETFONT:
        case WM_NCDESTROY:
        case WM_DESTROY:
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK FocusCueProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropW(window, kOriginalProcProperty));
    if (!original) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropW(window, kOriginalProcProperty);
        RemovePropW(window, kRingProperty);
        RemovePropW(window, kHiddenTextProperty);
        RemovePropW(window, kDepthProperty);
        return CallWindowProcW(original, window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (AnswerEmptyText(window, message, wParam, lParam, result)) return result;
    result = CallOriginal(original, window, message, wParam, lParam);
    const bool ring = GetPropW(window, kRingProperty) != nullptr;
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        if (ring && message == WM_KILLFOCUS) InvalidateRect(window, nullptr, TRUE);
        ReportFocus(window, message == WM_SETFOCUS);
    }
    // A control with its drawing switched off (WM_SETREDRAW) reads as not visible.
    if (ring && !NeverPaints(message) && GetFocus() == window && IsWindowVisible(window)) {
        if (HDC dc = GetDC(window)) {
            DrawFocusRing(window, dc);
            ReleaseDC(window, dc);
        }
    }
    return result;
}

}  // namespace

LRESULT DialogCodeOf(ChildKeys keys, const MSG* message) {
    switch (keys) {
        case ChildKeys::kStatic:
            return DLGC_STATIC;
        case ChildKeys::kButton:
            return DLGC_BUTTON;
        case ChildKeys::kRadioButton:
            return DLGC_BUTTON | DLGC_RADIOBUTTON | DLGC_WANTARROWS;
        case ChildKeys::kLink:
            return message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN
                       ? DLGC_WANTMESSAGE
                       : 0;
        default:
            return 0;
    }
}

bool ServeChildKeys(HWND child, ChildKeys keys, HWND partner, WPARAM key, LPARAM lParam) {
    if (keys == ChildKeys::kNone || keys == ChildKeys::kStatic) return false;
    if (key == VK_SPACE || (keys == ChildKeys::kLink && key == VK_RETURN)) {
        const bool repeated = (lParam & (1 << 30)) != 0;
        if (!repeated) ReportClick(child);
        return true;
    }
    const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (!arrow || keys != ChildKeys::kRadioButton) return false;
    if (partner && IsWindowEnabled(partner)) {
        SetFocus(partner);
        ReportClick(partner);
    }
    return true;
}

void ReportClick(HWND child) {
    SendMessageW(GetAncestor(child, GA_ROOT), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), reinterpret_cast<LPARAM>(child));
}

void DrawFocusRing(HWND child, HDC dc) {
    // 8 x 8 pixels of alternating bits; rows are padded to 16 bits.
    static constexpr WORD kChecker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    GdiObject<HBITMAP> bits(CreateBitmap(8, 8, 1, 1, kChecker));
    if (!bits) return;
    GdiObject<HBRUSH> brush(CreatePatternBrush(bits.get()));
    if (!brush) return;
    const RECT client = ClientRectOf(child);
    const int w = client.right, h = client.bottom;
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    HGDIOBJ oldBrush = SelectObject(dc, brush.get());
    PatBlt(dc, 0, 0, w, 1, PATCOPY);
    PatBlt(dc, 0, h - 1, w, 1, PATCOPY);
    PatBlt(dc, 0, 1, 1, h - 2, PATCOPY);
    PatBlt(dc, w - 1, 1, 1, h - 2, PATCOPY);
    SelectObject(dc, oldBrush);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

bool AddFocusCue(HWND control, bool ring, bool textNotPainted) {
    if (!control || GetPropW(control, kOriginalProcProperty)) return false;
    const LONG_PTR original = GetWindowLongPtrW(control, GWLP_WNDPROC);
    if (!original ||
        !SetPropW(control, kOriginalProcProperty, reinterpret_cast<HANDLE>(original))) {
        return false;
    }
    if (ring) SetPropW(control, kRingProperty, reinterpret_cast<HANDLE>(1));
    if (textNotPainted) SetPropW(control, kHiddenTextProperty, reinterpret_cast<HANDLE>(1));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FocusCueProc));
    return true;
}

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
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(child, nullptr, FALSE);
            ReportFocus(child, message == WM_SETFOCUS);
            result = 0;
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
