// The saver form Velnor_S on one monitor: its window, presentation and painting, and the
// messages it turns into calls on the saver session (mouse, display state, close).
#include "windows/saver_window_win32.h"

#include <windowsx.h>

#include <cstddef>

#include "saver/display_watch.h"
#include "ui/window_wrapper_win32.h"
#include "windows/saver_session_win32.h"

namespace velnor {
namespace {

constexpr wchar_t kClassName[] = L"Velnor_S";

}  // namespace

SaverWindow::SaverWindow(SaverSession& session, const SaverScreen& screen)
    : session_(session), screen_(screen) {}

SaverWindow::~SaverWindow() {
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

bool SaverWindow::Load(HINSTANCE instance, const Surface& frame) {
    // A class DC of its own: the frame loop draws with one device context for the window's
    // life instead of fetching and releasing one every frame.
    if (!RegisterWrappedClass<SaverWindow>(instance, kClassName, LoadCursorW(nullptr, IDC_ARROW),
                                           CS_OWNDC)) {
        return false;
    }
    const Rect& r = screen_.windowRect;
    if (!CreateWindowExW(0, kClassName, kSaverTitle, WS_POPUP, r.left, r.top,
                         static_cast<int>(r.width()), static_cast<int>(r.height()), nullptr,
                         nullptr, instance, this)) {
        return false;
    }
    presenter_ = std::make_unique<DibPresenter>(GetDC(window_), frame);
    return true;
}

void SaverWindow::ShowOnTop() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void SaverWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const RECT& p = paint.rcPaint;
    if (presenter_) presenter_->Repaint(dc, Rect{p.left, p.top, p.right, p.bottom});
    EndPaint(window_, &paint);
}

LRESULT SaverWindow::handle_message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            session_.OnMouseMove(screen_.windowRect.left + GET_X_LPARAM(lParam),
                                 screen_.windowRect.top + GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            session_.OnButtonDown();
            return 0;
        case WM_POWERBROADCAST:
            if (wParam != PBT_POWERSETTINGCHANGE) break;
            session_.OnPowerSetting(*reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam));
            return TRUE;
        case WM_COPYDATA:
            if (!OnTestDisplayState(*reinterpret_cast<const COPYDATASTRUCT*>(lParam))) break;
            return TRUE;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // every pixel is painted from the frame
        case WM_SYSCOMMAND:
            // Alt+F4 arrives as a close command: keys never end the saver.
            if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_CLOSE:
        case WM_DESTROY:
            // Closed from outside (the system or the host): end as a click would, rather than
            // drawing on into a window that is gone.
            session_.RequestQuit();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool SaverWindow::OnTestDisplayState(const COPYDATASTRUCT& data) {
    if (!session_.acceptsTestDisplayState() || data.dwData != kTestDisplayStateTag ||
        data.cbData < offsetof(POWERBROADCAST_SETTING, Data) || !data.lpData) {
        return false;
    }
    const auto& setting = *static_cast<const POWERBROADCAST_SETTING*>(data.lpData);
    if (data.cbData < offsetof(POWERBROADCAST_SETTING, Data) + setting.DataLength) return false;
    session_.OnPowerSetting(setting);
    return true;
}

}  // namespace velnor
