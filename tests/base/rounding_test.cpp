// The program's one rounding rule: nearest, ties to even, and nothing for values that do
// not fit the target type (pixel coordinates far off screen, huge numbers in the settings
// file or on the command line).
#include "base/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

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

TEST(Rounding, AgreesWithTheLibrarysNearestEvenOverManyValues) {
    // Halves, values just beside them and large magnitudes, where adding and removing a
    // shift could lose the fraction if it were done wrongly.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> spread(-3.0e9, 3.0e9);
    for (int n = 0; n < 100000; ++n) {
        double value = spread(random);
        if (n % 3 == 0) value = std::floor(value) + 0.5;
        if (n % 3 == 1) value = std::nextafter(std::floor(value) + 0.5, 0.0);
        const double expected = std::nearbyint(value);
        const auto rounded = RoundHalfToEven<std::int32_t>(value);
        if (expected < -2147483648.0 || expected > 2147483647.0) {
            EXPECT_FALSE(rounded) << value;
        } else {
            ASSERT_TRUE(rounded) << value;
            EXPECT_EQ(*rounded, static_cast<std::int32_t>(expected)) << value;
        }
    }
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
