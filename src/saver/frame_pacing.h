// The pace of the saver's frames. Composing a frame costs well under a millisecond, so
// without a floor the 600-frame revolution would flash by and burn a whole core: every
// frame lasts at least 10 ms, measured from its start, and then waits its frameDelayMs.
// So the speed settings 0 to 10 give 100 to 50 frames per second on any machine.
#pragma once

#include <cstdint>

namespace velnor {

inline constexpr std::int64_t kFrameFloorMicroseconds = 10'000;

// The moment (in microseconds of a monotonic clock) the next frame may start, for a frame
// that started at `frameStart` and whose drawing and event step ended at `now`. A negative
// frameDelayMs counts as 0.
std::int64_t NextFrameStart(std::int64_t frameStart, std::int64_t now, std::int16_t frameDelayMs);

// A wait never ends exactly on time; were each frame measured from its late start, every
// frame would grow by that lateness (10 ms becoming 11 turns 100 frames per second into
// 90). So a frame that starts at most this late counts as started when it was due.
inline constexpr std::int64_t kFrameLatenessAbsorbed = 4'000;

// The start from which a frame's floor is measured: when it was due, if it began no more
// than kFrameLatenessAbsorbed after that, else when it really began (after a long stall the
// frames do not rush to catch up).
std::int64_t PacedFrameStart(std::int64_t due, std::int64_t actual);

}  // namespace velnor
