// The monotonic clock of the frame loop.
#include "x11/monotonic_clock.h"

#include <chrono>

namespace velnor {

std::int64_t NowMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace velnor
