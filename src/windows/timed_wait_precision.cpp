// The judgement of timed waits: mean miss over groups of waits.
#include "windows/timed_wait_precision.h"

#include <algorithm>

namespace velnor {

void TimedWaitPrecision::Record(std::int64_t endMinusDeadline) {
    if (!suffice_) return;
    // One absurd reading (a clock jump) must not overflow the sum.
    constexpr std::int64_t kLongest = 60'000'000;
    const std::int64_t miss = std::clamp(endMinusDeadline, -kLongest, kLongest);
    missSum_ += miss < 0 ? -miss : miss;
    if (++recorded_ < kWaitsJudged) return;
    suffice_ = missSum_ <= kMeanMissAllowed * kWaitsJudged;
    missSum_ = 0;
    recorded_ = 0;
}

}  // namespace velnor
