// The preview form Velnor_R: a child window of the host's pane, black, with the 161 x 114
// still picture drawn unscaled from its top-left corner. The process ends when the pane is
// destroyed (the child then gets WM_DESTROY) or, as a safety net, when a timer finds that
// the pane no longer exists.
#include "windows/preview_window_win32.h"

#include "resources/resource_ids.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_wrapper_win32.h"

namespace velnor {
namespace {

constexpr wchar_t kClassName[] = L"Velnor_R";
constexpr wchar_t kCaption[] = L"Preview Window";
constexpr UINT_PTR kHostWatchTimer = 1;
constexpr UINT kHostWatchMs = 250;

class PreviewWindow {
  public:
    explicit PreviewWindow(HINSTANCE instance) : instance_(instance) {}
    ~PreviewWindow() {
        if (still_) DeleteObject(still_);
    }
    PreviewWindow(const PreviewWindow&) = delete;
    PreviewWindow& operator=(const PreviewWindow&) = delete;

    bool Create(HWND host);
    LRESULT handle_message(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;

  private:
    void DrawStill(HDC target) const;

    HINSTANCE instance_;
    HWND host_ = nullptr;
    HBITMAP still_ = nullptr;
};

// Loads the form hidden, turns it into a child of the pane, gives it the pane's real size
// in pixels (no twips, so a pane of any size fits) and shows it.
bool PreviewWindow::Create(HWND host) {
    if (!RegisterWrappedClass<PreviewWindow>(instance_, kClassName, nullptr)) return false;
    host_ = host;
    still_ = static_cast<HBITMAP>(LoadImageW(instance_, MAKEINTRESOURCEW(IDB_PREVIEW_STILL),
                                             IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!CreateWindowExW(0, kClassName, kCaption, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_,
                         this)) {
        return false;
    }
    SetWindowLongPtrW(window_, GWL_STYLE, WS_CHILD | WS_CLIPSIBLINGS);
    SetParent(window_, host);
    RECT pane{};
    GetClientRect(host, &pane);
    SetWindowPos(window_, HWND_TOP, 0, 0, pane.right - pane.left, pane.bottom - pane.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    SetTimer(window_, kHostWatchTimer, kHostWatchMs, nullptr);
    return true;
}

// Draws the still picture unscaled at the top-left; the class brush has made the rest black.
void PreviewWindow::DrawStill(HDC target) const {
    if (!still_) return;
    BITMAP info{};
    GetObjectW(still_, sizeof info, &info);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ old = SelectObject(source, still_);
    BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT PreviewWindow::handle_message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            DrawStill(BeginPaint(window_, &paint));
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            // A whole picture of the window for whoever asks (PrintWindow): black, then the still.
            HDC target = reinterpret_cast<HDC>(wParam);
            RECT client{};
            GetClientRect(window_, &client);
            FillRect(target, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            DrawStill(target);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kHostWatchTimer && !IsWindow(host_)) DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            // The pane is gone (or going): nothing is left for this process to serve.
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace

int RunPreview(HINSTANCE instance, HWND host) {
    if (!host || !IsWindow(host)) return 0;
    PreviewWindow preview(instance);
    if (preview.Create(host)) RunMessageLoop(nullptr);
    return 0;
}

}  // namespace velnor
