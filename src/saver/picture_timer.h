// Timer1's count towards the next folder picture: one tick per second, and a change once
// the count reaches pictureInterval (so an interval of 1 or less changes on every tick).
#pragma once

#include <cstdint>

namespace velnor {

class PictureTimer {
  public:
    explicit PictureTimer(std::int16_t pictureInterval) : pictureInterval_(pictureInterval) {}

    // One tick; true when the next picture is due (the count then starts again).
    bool OnTick() {
        ++tickCount_;
        if (tickCount_ < pictureInterval_) return false;
        tickCount_ = 0;
        return true;
    }

  private:
    std::int16_t pictureInterval_;
    std::int32_t tickCount_ = 0;  // ticks since the last change
};

}  // namespace velnor
