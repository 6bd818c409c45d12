// The window-wrapper pattern of the saver's windows: the C++ object that owns a window is
// passed in CreateWindowExW's last parameter, kept in GWLP_USERDATA, and each message goes
// to its handle_message. Messages before WM_NCCREATE and after WM_NCDESTROY get the default.
#pragma once

#include <windows.h>

namespace velnor {

// The object that owns `window` through this wrapper; nullptr for none.
template <class Window>
Window* WrappedWindowOf(HWND window) {
    return window ? reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

template <class Window>
LRESULT CALLBACK WrappedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = WrappedWindowOf<Window>(window);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->handle_message(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

// Registers the window class `className` (once per process) with `procedure`, the class
// `style` (for example CS_OWNDC), `cursor` and `background` brush.
inline bool RegisterWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC procedure,
                                HCURSOR cursor, UINT style, HBRUSH background) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Registers a black-backed window class served by Window::handle_message.
template <class Window>
bool RegisterWrappedClass(HINSTANCE instance, const wchar_t* className, HCURSOR cursor,
                          UINT style = 0) {
    return RegisterWindowClass(instance, className, WrappedWindowProc<Window>, cursor, style,
                               static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

}  // namespace velnor
