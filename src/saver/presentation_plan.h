// When and what of the saver's frames goes onto the screen. The motion steps once per
// frame at its own pace; where the system reports the display's refresh, only the latest
// frame before each refresh is presented, and what is presented covers every frame's
// change since the last presentation. A failed presentation is made good by a whole one.
#pragma once

#include <cstdint>
#include <span>

#include "base/geometry.h"
#include "engine/frame.h"

namespace velnor {

// Puts areas of the frame last composed onto the screen.
class FrameOutput {
  public:
    virtual ~FrameOutput() = default;
    // False when the areas could not be shown (no device context, a failed copy).
    virtual bool Show(std::span<const Rect> areas) = 0;
};

// Everything of one window's frame that changed since it was last presented.
class PendingPresentation {
  public:
    explicit PendingPresentation(Rect whole) : whole_(whole) {}

    // A frame was composed with this change.
    void Add(const ChangedRects& change);
    // The whole frame must be presented (after a failure, or the display back on).
    void AddWhole() { wholePending_ = true; }

    // Presents what is pending on `output` in as few areas as pay: the lines' and the
    // sprite's parts as one area when they lie close, else apart. Nothing pending: nothing
    // shown. On failure the whole frame stays pending. Returns what Show returned.
    bool PresentTo(FrameOutput& output);

    bool empty() const { return !wholePending_ && lines_.empty() && sprite_.empty(); }
    bool wholePending() const { return wholePending_; }

  private:
    const Rect whole_;
    Rect lines_;
    Rect sprite_;
    bool wholePending_ = true;  // the first presentation is whole
};

// The display's refresh as the system reports it, on the frame loop's clock.
struct RefreshTiming {
    std::int64_t periodMicroseconds = 0;  // 0: no rate known; every frame is presented
    std::int64_t vblankMicroseconds = 0;  // one moment of a refresh
};

// Decides per composed frame whether to present it.
class RefreshSchedule {
  public:
    void SetTiming(const RefreshTiming& timing) { timing_ = timing; }

    // For a frame composed by `now` whose successor starts at `nextFrameStart`: true when
    // this is the last frame before the display's next refresh, or when a whole refresh
    // period passed without a presentation (frames that run late). Always true without a
    // known rate. A true answer counts as a presentation at `now`.
    bool PresentNow(std::int64_t now, std::int64_t nextFrameStart);

  private:
    RefreshTiming timing_;
    std::int64_t lastPresented_ = INT64_MIN / 2;
};

}  // namespace velnor
