// Seedable source of uniform random numbers for the engine's re-choices. Each scene
// owns its own generator, so runs are reproducible from their seed and independent
// scenes never share state.
#pragma once

#include <cstdint>
#include <random>

namespace velnor {

class Random {
  public:
    explicit Random(std::uint64_t seed = 0) : engine_(seed) {}

    // A uniform number in [0, 1): the top 53 bits of one 64-bit draw. Unlike
    // std::uniform_real_distribution this gives the same sequence on every platform.
    double NextUnit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

    // floor(NextUnit() * count): a uniform whole number in 0..count-1.
    int NextBelow(int count) { return static_cast<int>(NextUnit() * count); }

  private:
    std::mt19937_64 engine_;
};

}  // namespace velnor
