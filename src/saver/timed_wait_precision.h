// Whether plain timed waits (sleeps) end close enough to their deadlines to keep the frame
// pace. Where they do (under Wine they end within a fraction of a millisecond), a frame's
// wait is a sleep, which Wine serves without a request to its server; a wait on a timer
// object costs one or two such requests per frame. Where sleeps follow a coarse system tick
// (Windows' default of 15.6 ms), the high-resolution waitable timer keeps the pace instead.
#pragma once

#include <cstdint>

namespace velnor {

class TimedWaitPrecision {
  public:
    // The waits judged at a time, and how far from its deadline, early or late, a wait may
    // end and still count as on time. A coarse tick makes most waits miss by more; a busy
    // machine makes one now and then, which must not count against timed waits.
    static constexpr int kWaitsJudged = 8;
    static constexpr std::int64_t kMissAllowed = 2'000;  // microseconds

    // A timed wait for a deadline ended `endMinusDeadline` microseconds after it
    // (negative: before it). Waits cut short by messages are not recorded.
    void Record(std::int64_t endMinusDeadline);

    // True until more than half of a group of kWaitsJudged waits missed their deadlines by
    // more than kMissAllowed; false for good from then on.
    bool timedWaitsSuffice() const { return suffice_; }

    // Judges timed waits too coarse from the start.
    void PreferTimer() { suffice_ = false; }

  private:
    int missed_ = 0;
    int recorded_ = 0;
    bool suffice_ = true;
};

}  // namespace velnor
