// When mouse activity ends the saver. A click always does. A movement does once the
// pointer has left both the row and the column of the first position seen (that first
// event merely records where it is).
// One rule serves all of the saver's windows, with positions in screen pixels.
#pragma once

namespace velnor {

class MouseExitRule {
  public:
    // True when this movement ends the saver.
    bool OnMove(float x, float y);

  private:
    bool mouseSeen_ = false;
    float firstMouseX_ = 0.0f;
    float firstMouseY_ = 0.0f;
};

}  // namespace velnor
