// The two colour layouts of the program: ColourRef as the settings file and the colour
// dialog hold it (0x00BBGGRR), Pixel as surfaces store it (0x00RRGGBB), and conversions.
// A leaf header, so the settings record and the surfaces share it without including
// each other.
#pragma once

#include <cstdint>

namespace velnor {

// A colour as 0x00BBGGRR (red in the low byte).
using ColourRef = std::int32_t;

// A pixel as stored: 0x00RRGGBB.
using Pixel = std::uint32_t;

// Converts a ColourRef (0x00BBGGRR) into the stored pixel layout.
constexpr Pixel PixelFromColourRef(ColourRef colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

constexpr Pixel PixelFromRgb(int red, int green, int blue) {
    return (static_cast<Pixel>(red & 0xFF) << 16) | (static_cast<Pixel>(green & 0xFF) << 8) |
           static_cast<Pixel>(blue & 0xFF);
}

}  // namespace velnor
