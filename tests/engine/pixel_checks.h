// Test helpers for drawing operations: compare every pixel of a surface with an expected
// colour function, and find the bounding box of the pixels that differ from a background.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor::testing {

inline ::testing::AssertionResult EveryPixelIs(const Surface& actual,
                                               const std::function<Pixel(int, int)>& expected) {
    int wrong = 0;
    auto failure = ::testing::AssertionFailure();
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const Pixel want = expected(x, y);
            if (actual.at(x, y) == want) continue;
            if (++wrong <= 5) {
                std::ostringstream text;
                text << "(" << x << ", " << y << ") is 0x" << std::hex << actual.at(x, y)
                     << ", expected 0x" << want << "; ";
                failure << text.str();
            }
        }
    }
    if (wrong == 0) return ::testing::AssertionSuccess();
    return failure << wrong << " pixels differ";
}

// The smallest rectangle holding every pixel that is not `background`.
inline Rect BoundsOfPixelsOtherThan(const Surface& s, Pixel background) {
    Rect bounds;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.at(x, y) != background) bounds = Unite(bounds, PixelRect({x, y}));
        }
    }
    return bounds;
}

// A surface whose every pixel differs from its neighbours, so misplaced copies show.
inline Surface NumberedSurface(int width, int height, Pixel base = 0x100000) {
    Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) s.set(x, y, base + static_cast<Pixel>(y * 256 + x));
    }
    return s;
}

}  // namespace velnor::testing
