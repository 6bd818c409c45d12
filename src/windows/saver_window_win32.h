// The saver form Velnor_S on one monitor: a borderless topmost window titled "VelnorS"
// that shows its own scene (sized to that monitor) over its own background. The frame
// loop and the exit rules live in the saver session, which owns every such window.
#pragma once

#include <windows.h>

#include <memory>

#include "engine/animation.h"
#include "engine/background_preparer.h"
#include "engine/surface.h"
#include "settings/saver_settings.h"
#include "windows/dib_presenter_win32.h"
#include "windows/monitor_plan.h"
#include "windows/presentation_plan.h"

namespace velnor {

// The saver window's title; the program's entry also looks for it to refuse a second instance.
inline constexpr wchar_t kSaverTitle[] = L"VelnorS";

class SaverSession;

class SaverWindow {
  public:
    SaverWindow(SaverSession& session, const SaverScreen& screen, const SaverSettings& settings);
    // Only a window whose load failed is ever destroyed this way (the saver ends with the
    // process): it is detached first, so its closing does not end the saver.
    ~SaverWindow();
    SaverWindow(const SaverWindow&) = delete;
    SaverWindow& operator=(const SaverWindow&) = delete;

    // The load handler's steps up to the background: the window (hidden) covering its
    // monitor, the surfaces, the scene, and the first background. False when the window
    // or its surfaces cannot be made.
    bool Load(HINSTANCE instance, const SaverSettings& settings, const Surface* sample);
    // Shows the window and puts it above all non-topmost windows without activating it.
    void Show();

    // One frame's motion step and composition on the surface; its change is kept pending.
    void ComposeFrame();
    // Puts everything that changed since the last presentation onto the window. False when
    // that failed (the whole frame is then presented next time).
    bool PresentPending() { return pending_.PresentTo(*presenter_); }
    // The next presentation shows the whole frame (the display is back on).
    void PresentWholeNext() { pending_.AddWhole(); }
    bool wholePending() const { return pending_.wholePending(); }
    // After the frame's pause: the tilt step.
    void AdvanceTilt() { animation_.AdvanceTilt(); }

    // The picture timer reached its interval: the next folder picture is due.
    void RequestNextPicture() { pictureDue_ = preparer_ != nullptr; }
    // Between frames: swaps in the next picture when it is due and the worker has it ready.
    void TakePreparedPicture();

    LRESULT handle_message(UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;

  private:
    void Paint();
    // The test-only route of a display state notification; false when not taken.
    bool OnTestDisplayState(const COPYDATASTRUCT& data);

    SaverSession& session_;
    const SaverScreen screen_;
    Animation animation_;
    Surface frame_;
    Surface background_;  // Pic_B: what every frame's clear restores
    std::unique_ptr<BackgroundPreparer> preparer_;
    bool pictureDue_ = false;
    PendingPresentation pending_;
    std::unique_ptr<DibPresenter> presenter_;  // on the window's own DC, once it exists
};

}  // namespace velnor
