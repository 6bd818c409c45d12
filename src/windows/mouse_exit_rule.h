// When mouse activity ends the saver. A click always does. A movement does only when the
// saver was started with a switch, and only once the pointer has left both the row and
// the column of the first position seen (that first event merely records where it is).
// One rule serves all of the saver's windows, with positions in screen pixels.
#pragma once

namespace velnor {

class MouseExitRule {
  public:
    explicit MouseExitRule(bool movementEnds) : movementEnds_(movementEnds) {}

    // True when this movement ends the saver.
    bool OnMove(float x, float y);
    // Any button, in every run mode.
    bool OnButtonDown() const { return true; }

  private:
    bool movementEnds_;
    bool mouseSeen_ = false;
    float firstMouseX_ = 0.0f;
    float firstMouseY_ = 0.0f;
};

}  // namespace velnor
