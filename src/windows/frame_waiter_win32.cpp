// Precise frame waits without spinning.
#include "windows/frame_waiter_win32.h"

#include <mmsystem.h>

#include <algorithm>

namespace velnor {
namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

std::wstring EnvironmentText(const wchar_t* name) {
    wchar_t buffer[1024];
    const DWORD length = GetEnvironmentVariableW(name, buffer, 1024);
    return length > 0 && length < 1024 ? std::wstring(buffer, length) : std::wstring();
}

}  // namespace

FrameWaiter::FrameWaiter() {
    QueryPerformanceFrequency(&frequency_);
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    if (!timer_) {
        // Older systems: an ordinary timer, which is as precise as the system timer.
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        raisedTimerResolution_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    }
    // Tests make the saver wait on its timer as it does where timed waits are coarse.
    if (EnvironmentText(L"VELNOR_TEST_TIMER_WAITS") == L"1") timedWaits_.PreferTimer();
}

FrameWaiter::~FrameWaiter() {
    if (timer_) CloseHandle(timer_);
    if (raisedTimerResolution_) timeEndPeriod(1);
}

std::int64_t FrameWaiter::NowMicroseconds() const {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return MicrosecondsFromTicks(now.QuadPart);
}

std::int64_t FrameWaiter::MicrosecondsFromTicks(std::int64_t ticks) const {
    const std::int64_t perSecond = frequency_.QuadPart > 0 ? frequency_.QuadPart : 1;
    return ticks / perSecond * 1'000'000 + ticks % perSecond * 1'000'000 / perSecond;
}

void FrameWaiter::WaitUntil(std::int64_t deadline, std::int64_t period,
                            const PumpMessages& pumpMessages) {
    for (bool first = true;; first = false) {
        const std::int64_t remaining = deadline - NowMicroseconds();
        if (remaining <= 0) {
            // A frame that ran late still lets the messages through once.
            if (first) pumpMessages();
            timerExpiry_ = kNotArmed;  // it may have fired meanwhile
            return;
        }
        DWORD result;
        if (timer_ && !timedWaits_.timedWaitsSuffice() && ArmTimer(deadline, remaining, period)) {
            result = MsgWaitForMultipleObjects(1, &timer_, FALSE, INFINITE, QS_ALLINPUT);
            if (result == WAIT_OBJECT_0) {
                timerExpiry_ += period;
                // A signal left from an earlier deadline is not this one's: arm again.
                if (deadline - NowMicroseconds() <= kTimerSlack) return;
                timerExpiry_ = kNotArmed;
                continue;
            }
        } else {
            // A sleep, then one pass over the messages. Under Wine a sleep is the process's
            // own, where a timed wait for messages is a request to its server and back.
            const std::int64_t slice = std::min(remaining, kLongestSleep);
            Sleep(static_cast<DWORD>((slice + 999) / 1000));
            // Judged before the messages are handled: their time is not the sleep's.
            const std::int64_t miss = NowMicroseconds() - deadline;
            if (pumpMessages()) return;
            if (slice < remaining) continue;
            timedWaits_.Record(miss);
            // A sleep that ended early goes on: the next frame starts when due.
            if (miss >= -kTimerSlack) return;
            continue;
        }
        if (result == WAIT_FAILED) {
            Sleep(static_cast<DWORD>((remaining + 999) / 1000));
            pumpMessages();
            return;
        }
        if (pumpMessages()) return;
    }
}

bool FrameWaiter::ArmTimer(std::int64_t deadline, std::int64_t remaining, std::int64_t period) {
    // Frames on time follow each other by exactly one period, so a periodic timer armed
    // once serves them all: no request to the system per frame.
    if (timerExpiry_ == deadline && timerPeriod_ == period) return true;
    LARGE_INTEGER due{};
    due.QuadPart = -remaining * 10;  // relative, in 100 ns units
    const auto periodMs = period % 1000 == 0 && period > 0 ? static_cast<LONG>(period / 1000) : 0;
    if (!SetWaitableTimer(timer_, &due, periodMs, nullptr, nullptr, FALSE)) {
        CloseHandle(timer_);
        timer_ = nullptr;
        return false;
    }
    timerExpiry_ = deadline;
    timerPeriod_ = periodMs > 0 ? period : kNotArmed;
    return true;
}

void FrameWaiter::WaitForMessages(const PumpMessages& pumpMessages) {
    if (timer_ && timerExpiry_ != kNotArmed) CancelWaitableTimer(timer_);
    timerExpiry_ = kNotArmed;
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT) == WAIT_FAILED) {
        Sleep(100);
    }
    pumpMessages();
}

}  // namespace velnor
