// Window procedures of the dialog's owner-drawn children. Each paints double-buffered
// through the dialog object; clickable ones report a click as WM_COMMAND BN_CLICKED to
// the top-level window, the way buttons do, so every click takes one route.
#include <windows.h>

#include <algorithm>

#include "dialog/child_look.h"
#include "dialog/dialog_window_win32.h"
#include "engine/dib_info_win32.h"
#include "windows/window_wrapper_win32.h"

namespace velnor {
namespace {

SettingsDialog* DialogOf(HWND child) {
    HWND root = GetAncestor(child, GA_ROOT);
    return root ? reinterpret_cast<SettingsDialog*>(GetWindowLongPtrW(root, GWLP_USERDATA))
                : nullptr;
}

void PaintBuffered(HWND window, SettingsDialog& dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client{};
    GetClientRect(window, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        dialog.PaintChild(window, memory);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
    } else {
        dialog.PaintChild(window, dc);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    EndPaint(window, &ps);
}

void ReportClick(HWND control) {
    SendMessageW(GetAncestor(control, GA_ROOT), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Mouse handling of captions and squares: a click is a press and a release inside the
// control. lbl_URL acts on the press itself (`onPress`).
bool HandleMouse(HWND window, UINT message, LPARAM lParam, bool onPress) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (onPress) {
                ReportClick(window);
            } else if (message == WM_LBUTTONDOWN) {
                SetCapture(window);
            }
            return true;
        case WM_LBUTTONUP:
            if (GetCapture() == window) {
                ReleaseCapture();
                RECT client{};
                GetClientRect(window, &client);
                const POINT at{static_cast<short>(LOWORD(lParam)),
                               static_cast<short>(HIWORD(lParam))};
                if (PtInRect(&client, at)) ReportClick(window);
            }
            return true;
        default:
            return false;
    }
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
            PaintBuffered(window, *dialog);
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

void DrawSurface(HDC dc, int x, int y, const Surface& surface, int sx, int sy, int w, int h) {
    if (sx < 0 || sy < 0 || w <= 0 || h <= 0) return;
    w = std::min(w, surface.width() - sx);
    h = std::min(h, surface.height() - sy);
    if (w <= 0 || h <= 0) return;
    // The DIB starts at row sy and is exactly h rows tall, so the source rectangle is
    // the same whichever way the system counts rows of a top-down DIB.
    BITMAPINFO info = TopDownDibInfo(surface.width(), h);
    StretchDIBits(dc, x, y, w, h, sx, 0, w, h, surface.row(sy), &info, DIB_RGB_COLORS, SRCCOPY);
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

HBRUSH MakeSurfaceBrush(const Surface& surface) {
    if (surface.empty()) return nullptr;
    BITMAPINFO info = TopDownDibInfo(surface.width(), surface.height());
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    std::copy(surface.data(), surface.data() + surface.width() * surface.height(),
              static_cast<Pixel*>(bits));
    HBRUSH brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
    return brush;
}

}  // namespace velnor
