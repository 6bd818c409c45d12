// The running program on X11: the platform half of the portable saver loop. It places one
// scene per monitor of the draw window (or one filling it), presents frames with shared
// or plain XImages, and waits on the X connection and the quit pipe, turning the window's
// events into the loop's: a size change, an exposure, and a quit (SIGTERM or SIGINT, the
// window gone, or q, Escape or the close button on a window of its own).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "engine/surface.h"
#include "saver/saver_platform.h"
#include "settings/saver_settings.h"
#include "x11/display_x11.h"
#include "x11/frame_rate_overlay.h"
#include "x11/monotonic_clock.h"

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

class SaverX11 final : public SaverPlatform {
  public:
    SaverX11(Display* display, const DrawWindow& target, const SaverRun& run);
    ~SaverX11() override;
    SaverX11(const SaverX11&) = delete;
    SaverX11& operator=(const SaverX11&) = delete;

    // Draws until a quit, then ends the process at once with the exit status: 0, or 1 when
    // the window could not be drawn on at all (at the start or after a size change).
    [[noreturn]] void Run();

    std::int64_t NowMicroseconds() override;
    std::optional<SaverEvent> WaitUntil(std::int64_t deadline) override;
    ScenePlan PlaceScenes() override;
    std::unique_ptr<FrameOutput> MakeOutput(const SaverScene& scene) override;
    void FrameDone(std::int64_t frameStart, const FramePresentations& presented) override;

  private:
    // The event the loop acts on among those pending, handling the rest; nothing if none.
    std::optional<SaverEvent> TakePendingEvent();
    std::optional<SaverEvent> EventOf(XEvent& event);
    bool QuitRequested() const;

    Display* display_;
    DrawWindow target_;
    SaverRun run_;
    GC gc_ = nullptr;
    std::optional<WindowGeometry> geometry_;  // of the window the scenes were made for
    FrameRateMeter frameRate_;
    bool unsynced_ = false;  // images were sent that the server may not have taken yet
    // The size the last configure event of the window gave, until it is looked at.
    std::optional<std::pair<int, int>> configuredSize_;
};

}  // namespace velnor
