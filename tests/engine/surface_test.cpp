// Surfaces and rectangles: bounds, fill, intersection and union with empty operands.
#include <gtest/gtest.h>

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {
namespace {

TEST(Surface, PixelLayoutIsTopDownRedInBits16To23) {
    Surface s(3, 2, PixelFromRgb(1, 2, 3));
    EXPECT_EQ(s.at(2, 1), 0x010203u);
    EXPECT_EQ(PixelFromColourRef(0x00FF0000), 0x0000FFu);  // blue as a ColourRef
    s.set(2, 1, 7);
    EXPECT_EQ(s.data()[1 * 3 + 2], 7u);
    EXPECT_EQ(s.bounds(), (Rect{0, 0, 3, 2}));
    s.Fill(9);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(s.data()[i], 9u);
    EXPECT_TRUE(Surface(-5, 10).empty());
}

TEST(Geometry, IntersectAndUnite) {
    const Rect a{0, 0, 10, 10}, b{5, -3, 20, 4}, far{30, 30, 40, 40}, none{};
    EXPECT_EQ(Intersect(a, b), (Rect{5, 0, 10, 4}));
    EXPECT_TRUE(Intersect(a, far).empty());
    EXPECT_EQ(Intersect(a, far), Rect{});
    EXPECT_EQ(Unite(a, b), (Rect{0, -3, 20, 10}));
    EXPECT_EQ(Unite(none, b), b);
    EXPECT_EQ(Unite(a, Rect{50, 50, 50, 60}), a);  // zero width counts as empty
    EXPECT_EQ(Unite(none, none), Rect{});
    EXPECT_EQ((Rect{-2147483647 - 1, 0, 2147483647, 1}).width(), 4294967295LL);
    EXPECT_TRUE((Rect{0, 0, 1, 1}).contains({0, 0}));
    EXPECT_FALSE((Rect{0, 0, 1, 1}).contains({1, 0}));
}

}  // namespace
}  // namespace velnor
