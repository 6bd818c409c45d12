// What a platform gives the portable saver loop: its clock, a wait until a moment that
// watches the platform's events and returns the first one the loop acts on as soon as it
// happens, the screens to draw on, and for each an output that presents a frame's changed
// areas. Everything else of the running saver (scenes, pacing, pictures) is the loop's.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "saver/frame_statistics.h"
#include "saver/monitor_plan.h"
#include "saver/presentation_plan.h"

namespace velnor {

class SaverScene;

// What happened on the platform; the loop acts on it before it composes another frame.
enum class SaverEvent {
    kQuit,        // end the saver: an exit by mouse, a quit signal, the window gone
    kResized,     // the drawing area changed size: the scenes are made anew
    kExposed,     // the screen lost what was shown: the next presentations are whole
    kDisplayOff,  // nobody sees the screen: no frames, no motion until kDisplayOn
    kDisplayOn,
};

// A wait with this deadline lasts until an event.
inline constexpr std::int64_t kNoDeadline = INT64_MAX;

// The scenes to draw: one per screen, and the wire ball's radius when it is not the
// settings' own (a small window gets a smaller ball).
struct ScenePlan {
    std::vector<SaverScreen> screens;
    std::optional<std::int16_t> scale;
};

class SaverPlatform {
  public:
    virtual ~SaverPlatform() = default;

    // Microseconds of a monotonic clock.
    virtual std::int64_t NowMicroseconds() = 0;

    // Handles the platform's events until `deadline` and returns the first one the loop
    // must act on as soon as it happens; nothing once the deadline has come. With a
    // deadline already passed it still looks at what is pending, without waiting.
    virtual std::optional<SaverEvent> WaitUntil(std::int64_t deadline) = 0;

    // The screens to draw on now: at the start and after kResized.
    virtual ScenePlan PlaceScenes() = 0;

    // The output of `scene`, which outlives it; nothing when the scene's screen cannot be
    // drawn on (the scene is then left out).
    virtual std::unique_ptr<FrameOutput> MakeOutput(const SaverScene& scene) = 0;

    // The scenes were made and have their first backgrounds (or waited long enough).
    virtual void ScenesReady() {}

    // The display's refresh; asked every second and when the display comes back on.
    virtual RefreshTiming QueryRefreshTiming() { return {}; }

    // A frame that started at `frameStart` was composed and presented.
    virtual void FrameDone(std::int64_t /*frameStart*/, const FramePresentations& /*presented*/) {}
};

}  // namespace velnor
