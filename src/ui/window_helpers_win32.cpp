// The shared window helpers. The zoom animation's results are ignored: a failing call
// only means a missing animation.
#include "ui/window_helpers_win32.h"

#include <limits>

namespace velnor {
namespace {

std::int16_t Fit16(LONG value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return 0;
    }
    return static_cast<std::int16_t>(value);
}

RECT PointRect(ZoomOrigin origin) {
    return RECT{origin.x, origin.y, origin.x, origin.y};
}

// AdjustWindowRectExForDpi is looked up, since older systems do not have it.
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

ZoomOrigin ZoomOriginFromCursor() {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return {};
    return ZoomOrigin{Fit16(cursor.x), Fit16(cursor.y)};
}

void ZoomFromPoint(HWND window, ZoomOrigin origin) {
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    const RECT from = PointRect(origin);
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &windowRect);
}

void ZoomToPoint(HWND window, ZoomOrigin origin) {
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    const RECT to = PointRect(origin);
    DrawAnimatedRects(window, IDANI_CAPTION, &windowRect, &to);
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

int DpiOf(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    const int fallback = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return fallback > 0 ? fallback : 96;
}

RECT ScreenUnderMouse() {
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info)) {
        return info.rcMonitor;
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

SIZE OuterSizeForClient(HWND window, int clientWidth, int clientHeight, int dpi) {
    RECT rect{0, 0, clientWidth, clientHeight};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const FARPROC found =
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi");
    const auto adjust = reinterpret_cast<AdjustForDpi>(reinterpret_cast<void (*)()>(found));
    if (!adjust || !adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void CentreOn(HWND window, SIZE size, const RECT& screen) {
    const int left = screen.left + (screen.right - screen.left - size.cx) / 2;
    const int top = screen.top + (screen.bottom - screen.top - size.cy) / 2;
    SetWindowPos(window, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void DeliverMessage(HWND dialog, MSG& message) {
    if (dialog) {
        const auto keys = static_cast<HACCEL>(GetPropW(dialog, kDialogKeysProperty));
        if (keys && TranslateAcceleratorW(dialog, keys, &message)) return;
        if (IsDialogMessageW(dialog, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

bool ServePendingMessages(const HWND& dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        DeliverMessage(dialog, message);
    }
    return true;
}

void RunMessageLoop(const HWND& dialog) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DeliverMessage(dialog, message);
}

}  // namespace velnor
