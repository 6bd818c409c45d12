// The frame loop's clock and wait: a precise monotonic clock (QueryPerformanceCounter) and
// a wait until a given moment that does not spin and lets messages through. While sleeps
// end on time it sleeps, at most kLongestSleep at a time, and passes over the messages
// after each sleep; else it waits for messages and a high-resolution waitable timer where
// the system has one, else an ordinary waitable timer with the system timer at 1 ms.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "saver/timed_wait_precision.h"

namespace velnor {

class FrameWaiter {
  public:
    FrameWaiter();
    ~FrameWaiter();
    FrameWaiter(const FrameWaiter&) = delete;
    FrameWaiter& operator=(const FrameWaiter&) = delete;

    std::int64_t NowMicroseconds() const;
    // A QueryPerformanceCounter count or span in NowMicroseconds' units.
    std::int64_t MicrosecondsFromTicks(std::int64_t ticks) const;

    // Lets messages through: true when one of them ends the wait at once.
    using PumpMessages = std::function<bool()>;

    // Returns at `deadline` (NowMicroseconds' clock), or as soon as `pumpMessages` returns
    // true. Calls it after each sleep or when messages arrive, and once at least when the
    // deadline has already passed. `period`: the time from one frame's start to the next
    // when frames are on time.
    void WaitUntil(std::int64_t deadline, std::int64_t period, const PumpMessages& pumpMessages);

    // Returns once messages arrive, then calls `pumpMessages`: the wait while nothing is
    // drawn. The time spent here does not count as a frame's.
    void WaitForMessages(const PumpMessages& pumpMessages);

  private:
    static constexpr std::int64_t kNotArmed = INT64_MIN;
    // How early a timer or sleep may end and still count as ending on time.
    static constexpr std::int64_t kTimerSlack = 1'000;
    // The longest sleep between passes over the messages: input waits no longer than this.
    static constexpr std::int64_t kLongestSleep = 10'000;

    // Arms the timer for `deadline` (and every `period` after it) unless it already is.
    bool ArmTimer(std::int64_t deadline, std::int64_t remaining, std::int64_t period);

    LARGE_INTEGER frequency_{};
    HANDLE timer_ = nullptr;
    bool raisedTimerResolution_ = false;
    std::int64_t timerExpiry_ = kNotArmed;  // when the timer fires next, if armed
    std::int64_t timerPeriod_ = kNotArmed;
    TimedWaitPrecision timedWaits_;
};

}  // namespace velnor
