// The frame loop's clock on Linux: microseconds of a monotonic clock.
#pragma once

#include <cstdint>

namespace velnor {

std::int64_t NowMicroseconds();

}  // namespace velnor
