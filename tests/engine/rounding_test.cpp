// The program's one rounding rule: nearest, ties to even, and nothing for values that do
// not fit the target type (pixel coordinates far off screen, huge numbers in the settings
// file or on the command line).
#include "engine/rounding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace velnor {
namespace {

TEST(Rounding, TiesGoToTheEvenNeighbour) {
    const struct {
        double value;
        int rounded;
    } cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {-0.5, 0}, {-1.5, -2},
                 {-3.5, -4}, {2.4999, 2}, {2.5001, 3}, {-7.0, -7}};
    for (const auto& c : cases) EXPECT_EQ(RoundHalfToEven(c.value), c.rounded) << c.value;
}

TEST(Rounding, ValuesBeyondTheTypeOrNotANumberGiveNothing) {
    using Int32 = std::numeric_limits<std::int32_t>;
    EXPECT_EQ(RoundHalfToEven<std::int32_t>(-2147483648.0), Int32::min());
    EXPECT_EQ(RoundHalfToEven<std::int32_t>(2147483647.4), Int32::max());
    EXPECT_FALSE(RoundHalfToEven<std::int32_t>(2147483647.5));  // rounds up to 2^31
    EXPECT_FALSE(RoundHalfToEven<std::int32_t>(-2147483648.6));
    EXPECT_FALSE(RoundHalfToEven(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(RoundHalfToEven(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(RoundHalfToEven<std::int16_t>(32767.2), 32767);
    EXPECT_FALSE(RoundHalfToEven<std::int16_t>(32767.6));
}

}  // namespace
}  // namespace velnor
