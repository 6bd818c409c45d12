// The saver form Velnor_S on one monitor: load steps, frame drawing and presentation,
// and the messages it turns into calls on the saver session (mouse, picture timer, close).
#include "windows/saver_window_win32.h"

#include <windowsx.h>

#include <chrono>
#include <cstddef>

#include "engine/background.h"
#include "windows/display_watch.h"
#include "windows/saver_session_win32.h"
#include "windows/window_wrapper_win32.h"

namespace velnor {
namespace {

constexpr wchar_t kClassName[] = L"Velnor_S";

}  // namespace

SaverWindow::SaverWindow(SaverSession& session, const SaverScreen& screen,
                         const SaverSettings& settings)
    : session_(session),
      screen_(screen),
      animation_(settings, screen.screenWidth, screen.screenHeight, screen.seed),
      pending_(Rect{0, 0, screen.screenWidth, screen.screenHeight}) {}

SaverWindow::~SaverWindow() {
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

bool SaverWindow::Load(HINSTANCE instance, const SaverSettings& settings, const Surface* sample) {
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
    frame_ = Surface(screen_.screenWidth, screen_.screenHeight);
    presenter_ = std::make_unique<DibPresenter>(GetDC(window_), frame_);

    BackgroundPictures pictures(screen_.screenWidth, screen_.screenHeight);
    if (settings.useSample == 1) {
        if (sample) ShowSamplePicture(pictures, *sample);
        background_ = std::move(pictures.Pic_B);
    } else if (settings.pictures.pictureCount > 0) {
        preparer_ = std::make_unique<BackgroundPreparer>(screen_.screenWidth, screen_.screenHeight,
                                                         settings.pictures, settings.pictureSize,
                                                         MakePictureDecoder);
        // A short wait at most: a hung or slow first file leaves the screen black and the
        // frame loop takes the picture when it is ready.
        std::optional<PreparedBackground> first =
            preparer_->TakeWithin(std::chrono::milliseconds(250));
        pictureDue_ = !first;
        background_ = first && first->shown ? std::move(first->Pic_B) : std::move(pictures.Pic_B);
    } else {
        background_ = std::move(pictures.Pic_B);
    }
    return true;
}

void SaverWindow::Show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void SaverWindow::ComposeFrame() {
    animation_.AdvanceMotion();
    animation_.ComposeFrame(frame_, background_);
    pending_.Add(animation_.changedRects());
}

void SaverWindow::TakePreparedPicture() {
    if (!pictureDue_) return;
    std::optional<PreparedBackground> next = preparer_->TryTake();
    if (!next) return;  // still decoding: try again after the next frame
    pictureDue_ = false;
    // A file that could not be read keeps the current picture; the next change moves on.
    if (!next->shown) return;
    background_ = std::move(next->Pic_B);
    animation_.RequestFullRedraw();
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
        case WM_TIMER:
            if (wParam == SaverSession::kPictureTimer) session_.OnPictureTimer();
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
            session_.End();
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
