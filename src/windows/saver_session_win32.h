// The running saver: one Velnor_S window per monitor, the endless frame loop that draws
// them all, the exit rules for the mouse, the restoring of the cursor, the picture timer,
// and the display state (nothing is drawn while the display is off). The frame loop pumps
// messages only between frames, so no handler ever runs in the middle of drawing one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "settings/saver_settings.h"
#include "windows/display_watch.h"
#include "windows/frame_waiter_win32.h"
#include "windows/mouse_exit_rule.h"
#include "windows/picture_timer.h"
#include "windows/presentation_plan.h"
#include "windows/saver_window_win32.h"

namespace velnor {

// How the entry started the saver.
struct SaverStart {
    int cursorCount = 0;  // what hiding the cursor returned
};

class SaverSession {
  public:
    static constexpr UINT_PTR kPictureTimer = 1;  // Timer1: one tick per second

    SaverSession(HINSTANCE instance, const SaverSettings& settings, SaverStart start);
    SaverSession(const SaverSession&) = delete;
    SaverSession& operator=(const SaverSession&) = delete;

    // Loads a window for every monitor, shows them and draws frames until the program
    // ends. Returns only when no window could be made.
    void Run();

    // Handlers, called from the windows' messages (positions in screen pixels).
    void OnMouseMove(int x, int y);
    void OnButtonDown();
    void OnPictureTimer();
    // A power setting notification (WM_POWERBROADCAST), or the test-only copy of one that
    // arrives as WM_COPYDATA when the environment variable VELNOR_TEST_DISPLAY_STATE is set.
    // `setting` holds at least DataLength bytes of data.
    void OnPowerSetting(const POWERBROADCAST_SETTING& setting);
    bool acceptsTestDisplayState() const { return acceptsTestDisplayState_; }
    // Unloads (restores the cursor when it was hidden) and ends the process at once.
    [[noreturn]] void End();

  private:
    bool LoadWindows();
    void PumpMessages();
    void DrawFrame(std::int64_t frameStart, std::int64_t& due);
    void RefreshTimingNow();

    HINSTANCE instance_;
    const SaverSettings& settings_;
    SaverStart start_;
    MouseExitRule exitRule_;
    PictureTimer pictureTimer_;
    std::vector<std::unique_ptr<SaverWindow>> windows_;
    FrameWaiter waiter_;
    DisplayWatch display_;
    bool acceptsTestDisplayState_ = false;
    RefreshSchedule refreshSchedule_;
    std::int64_t refreshQueried_ = 0;
};

}  // namespace velnor
