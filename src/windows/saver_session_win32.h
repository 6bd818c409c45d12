// The running saver on Windows: the Win32 half of the portable saver loop. One Velnor_S
// window per monitor shows its scene; the session waits with the frame waiter, letting the
// windows' messages through, and turns them into the loop's events: a quit (a click, a
// diagonal mouse movement, a window closed from outside, WM_QUIT) and the display state
// (nothing is drawn while the display is off). It restores the cursor when the saver ends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "engine/surface.h"
#include "saver/display_watch.h"
#include "saver/mouse_exit_rule.h"
#include "saver/saver_platform.h"
#include "settings/saver_settings.h"
#include "windows/frame_waiter_win32.h"
#include "windows/saver_window_win32.h"

namespace velnor {

// How the entry started the saver.
struct SaverStart {
    int cursorCount = 0;  // what hiding the cursor returned
};

class SaverSession final : public SaverPlatform {
  public:
    SaverSession(HINSTANCE instance, const SaverSettings& settings, SaverStart start);
    SaverSession(const SaverSession&) = delete;
    SaverSession& operator=(const SaverSession&) = delete;

    // Loads a window for every monitor, shows them and draws frames until the saver ends,
    // which ends the process. Returns only when no window could be made.
    void Run();

    // Handlers, called from the windows' messages (positions in screen pixels).
    void OnMouseMove(int x, int y);
    void OnButtonDown() { RequestQuit(); }  // any button
    // A power setting notification (WM_POWERBROADCAST), or the test-only copy of one that
    // arrives as WM_COPYDATA when the environment variable VELNOR_TEST_DISPLAY_STATE is set.
    // `setting` holds at least DataLength bytes of data.
    void OnPowerSetting(const POWERBROADCAST_SETTING& setting);
    bool acceptsTestDisplayState() const { return acceptsTestDisplayState_; }
    // The saver ends before another frame is composed.
    void RequestQuit() { events_.push_back(SaverEvent::kQuit); }

    std::int64_t NowMicroseconds() override { return waiter_.NowMicroseconds(); }
    std::optional<SaverEvent> WaitUntil(std::int64_t deadline) override;
    ScenePlan PlaceScenes() override;
    std::unique_ptr<FrameOutput> MakeOutput(const SaverScene& scene) override;
    void ScenesReady() override;
    RefreshTiming QueryRefreshTiming() override;

  private:
    // Lets the pending messages through until one asks the loop to act; true then.
    bool PumpMessages();
    // Unloads (restores the cursor when it was hidden) and ends the process at once.
    [[noreturn]] void End();

    HINSTANCE instance_;
    const SaverSettings& settings_;
    SaverStart start_;
    MouseExitRule exitRule_;
    // The windows of the loop's scenes, which present through a WindowOutput each; made
    // anew whenever the loop places its scenes anew.
    std::vector<std::unique_ptr<SaverWindow>> windows_;
    FrameWaiter waiter_;
    DisplayWatch display_;
    std::deque<SaverEvent> events_;  // for the loop, oldest first
    std::int64_t onTimePeriod_;      // frames on time start this far apart
    bool acceptsTestDisplayState_ = false;
    bool shown_ = false;  // the windows of the present scenes are shown
};

}  // namespace velnor
