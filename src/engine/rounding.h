// The one rounding rule of the program: the nearest integer, ties to even (the default
// floating-point rounding mode). Pixel positions, picture sizes, colour numbers read from
// the settings file and window handles on the command line are all rounded this way.
#pragma once

#include <cmath>
#include <limits>
#include <optional>

namespace velnor {

// `value` rounded to the nearest `Integer`, ties to even (2.5 gives 2, 3.5 gives 4);
// nothing when the result does not fit `Integer` or `value` is not a number.
template <typename Integer = int>
std::optional<Integer> RoundHalfToEven(double value) {
    static_assert(std::numeric_limits<Integer>::digits <= 32, "bounds must be exact doubles");
    const double rounded = std::nearbyint(value);
    if (!(rounded >= static_cast<double>(std::numeric_limits<Integer>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Integer>::max()))) {
        return std::nullopt;
    }
    return static_cast<Integer>(rounded);
}

}  // namespace velnor
