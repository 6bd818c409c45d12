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
//
// Adding and subtracting 1.5 * 2^52 leaves a double of magnitude below 2^51 rounded to a
// whole number, ties to even in the default rounding mode: what nearbyint gives, without
// the floating-point environment save and restore that makes some C libraries' nearbyint
// cost more than a whole line of the wire ball. Larger doubles are whole numbers already.
template <typename Integer = int>
std::optional<Integer> RoundHalfToEven(double value) {
    static_assert(std::numeric_limits<Integer>::digits <= 32, "bounds must be exact doubles");
    constexpr double kRoundingShift = 6755399441055744.0;  // 1.5 * 2^52
    double rounded = value;
    if (std::fabs(rounded) < 2251799813685248.0) {  // 2^51
        rounded = (rounded + kRoundingShift) - kRoundingShift;
    }
    if (!(rounded >= static_cast<double>(std::numeric_limits<Integer>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Integer>::max()))) {
        return std::nullopt;  // also NaN
    }
    return static_cast<Integer>(rounded);
}

}  // namespace velnor
