// Whether anyone can see the saver: the console display state that the system reports
// (off, on or dimmed). While the display is off the saver composes, presents and decodes
// nothing, and its motion and slide show pause; back on, the whole frame is presented.
#pragma once

#include <cstdint>

namespace velnor {

// The data of the console display state notification.
enum class DisplayState : std::uint32_t { kOff = 0, kOn = 1, kDimmed = 2 };

// Tag of the test-only copy-data message that carries a display state notification to
// the saver (when the environment variable VELNOR_TEST_DISPLAY_STATE is set).
inline constexpr std::uintptr_t kTestDisplayStateTag = 0x56444953;

class DisplayWatch {
  public:
    // A notification with `value`; a dimmed display is still seen, and a value the system
    // does not define counts as on (drawing for nobody costs less than a blank screen).
    // True when the display just became visible again: the whole frame is then due.
    bool OnDisplayState(std::uint32_t value) {
        const bool wasVisible = visible_;
        visible_ = value != static_cast<std::uint32_t>(DisplayState::kOff);
        return visible_ && !wasVisible;
    }

    // Whether frames are drawn and pictures prepared.
    bool visible() const { return visible_; }

  private:
    bool visible_ = true;
};

}  // namespace velnor
