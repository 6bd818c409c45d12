// The saver form Velnor_S on one monitor: a borderless topmost window titled "VelnorS"
// that shows its scene's frames (the scene is sized to that monitor). The frame loop
// owns the scene; the saver session turns the window's messages into the loop's events.
#pragma once

#include <windows.h>

#include <memory>
#include <span>

#include "engine/surface.h"
#include "saver/monitor_plan.h"
#include "saver/presentation_plan.h"
#include "windows/dib_presenter_win32.h"

namespace velnor {

// The saver window's title; the program's entry also looks for it to refuse a second instance.
inline constexpr wchar_t kSaverTitle[] = L"VelnorS";

class SaverSession;

class SaverWindow final : public FrameOutput {
  public:
    SaverWindow(SaverSession& session, const SaverScreen& screen);
    // A window destroyed while the saver runs (one whose load failed, or one of scenes
    // placed anew) is detached first, so its closing does not end the saver; at the end
    // the process ends with the windows still there.
    ~SaverWindow() override;
    SaverWindow(const SaverWindow&) = delete;
    SaverWindow& operator=(const SaverWindow&) = delete;

    // The window (hidden) covering its monitor, presenting `frame` (which outlives it).
    // False when the window cannot be made.
    bool Load(HINSTANCE instance, const Surface& frame);
    // Shows the window and puts it above all non-topmost windows without activating it.
    void ShowOnTop();

    // Puts areas of the frame onto the window; false when that failed.
    bool Show(std::span<const Rect> areas) override { return presenter_->Show(areas); }

    LRESULT handle_message(UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;

  private:
    void Paint();
    // The test-only route of a display state notification; false when not taken.
    bool OnTestDisplayState(const COPYDATASTRUCT& data);

    SaverSession& session_;
    const SaverScreen screen_;
    std::unique_ptr<DibPresenter> presenter_;  // on the window's own DC, once it exists
};

}  // namespace velnor
