// The judgement of timed waits: how many of a group missed their deadlines.
#include "saver/timed_wait_precision.h"

namespace velnor {

void TimedWaitPrecision::Record(std::int64_t endMinusDeadline) {
    if (!suffice_) return;
    if (endMinusDeadline > kMissAllowed || endMinusDeadline < -kMissAllowed) ++missed_;
    if (++recorded_ < kWaitsJudged) return;
    suffice_ = missed_ * 2 <= kWaitsJudged;
    missed_ = 0;
    recorded_ = 0;
}

}  // namespace velnor
