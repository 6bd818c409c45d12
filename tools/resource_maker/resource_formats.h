// File formats of the program's stored pictures, written byte for byte the same on every
// run: JPEG (libjpeg, fixed settings), BMP, Windows cursors and icons.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/surface.h"

namespace velnor::resources {

using Bytes = std::vector<std::uint8_t>;

// Baseline JPEG, 4:4:4, integer DCT, optimised Huffman tables.
Bytes JpegBytes(const Surface& picture, int quality);

// 24 bits per pixel, bottom-up.
Bytes Bmp24Bytes(const Surface& picture);

// 8 bits per pixel with a 256-entry grey palette; each pixel's green decides its grey.
Bytes Bmp8GreyBytes(const Surface& picture);

// A 32 x 32 cursor image: one palette index per pixel, or kTransparent.
inline constexpr int kTransparent = -1;
struct CursorImage {
    std::vector<int> indexes;    // 32 * 32, rows top-down
    std::vector<Pixel> palette;  // 2 (monochrome) or 16 (4 bits per pixel) colours
    int hotX = 0;
    int hotY = 0;
};
Bytes CursorBytes(const CursorImage& cursor);

// Icon images of 32 bits per pixel; the high byte of each Pixel is its opacity (the
// surfaces used here carry alpha, unlike the engine's).
Bytes IconBytes(const std::vector<Surface>& images);

bool WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace velnor::resources
