// The running program on X11: one scene per monitor of the draw window (or one filling
// it), the frame loop with the Windows saver's pacing, the picture timer, and the
// window's events (size changes rebuild the scenes; keys and the close button end an own
// window only). The wait between frames sleeps on the X connection and the quit pipe.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/animation.h"
#include "engine/background_preparer.h"
#include "engine/surface.h"
#include "settings/saver_settings.h"
#include "windows/monitor_plan.h"
#include "windows/picture_timer.h"
#include "x11/display_x11.h"
#include "x11/frame_rate_overlay.h"
#include "x11/frame_stats.h"
#include "x11/screen_image_x11.h"

namespace velnor {

struct SaverRun {
    const SaverSettings* settings = nullptr;
    const Surface* sample = nullptr;  // the chosen sample picture when useSample is 1
    std::uint64_t seed = 0;
    bool allowSharedMemory = true;
    bool fitBallToWindow = false;  // a given window: shrink the ball to fit (FittedRadius)
    int quitFd = -1;               // readable once SIGTERM or SIGINT arrived
    bool showFrameRate = false;    // -fps: the frame rate in a corner of each monitor
};

class SaverX11 {
  public:
    SaverX11(Display* display, const DrawWindow& target, const SaverRun& run);
    ~SaverX11();
    SaverX11(const SaverX11&) = delete;
    SaverX11& operator=(const SaverX11&) = delete;

    // Draws until a quit signal, the window's end, or (own window) q, Escape or close.
    // Returns the exit status: 0, or 1 when the window could not be drawn on at all.
    int Run();

  private:
    struct Scene;

    bool BuildScenes();
    FramePresentations DrawFrame();
    // Between frames: swaps in each scene's next picture when it is due and ready.
    void TakePreparedPictures();
    void HandleEvents();
    void HandleEvent(XEvent& event);
    void WaitUntil(std::int64_t due);
    void TickPictureTimer(std::int64_t now);

    Display* display_;
    DrawWindow target_;
    SaverRun run_;
    GC gc_ = nullptr;
    Rect builtFor_;  // the window rectangle the scenes were made for
    std::vector<std::unique_ptr<Scene>> scenes_;
    PictureTimer pictureTimer_;
    std::int64_t nextTick_ = 0;
    FrameStats stats_;
    FrameRateMeter frameRate_;
    bool resized_ = false;
    bool quit_ = false;
};

}  // namespace velnor
