// Reads the program's own bitmaps (preview still, mask, panel texture) into surfaces:
// uncompressed device-independent bitmaps, either packed (as a BITMAP resource stores
// them) or as a whole .bmp file. Bad or truncated data gives std::nullopt.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "engine/surface.h"

namespace velnor {

// Header, colour table and pixels; 1, 4, 8, 24 or 32 bits per pixel, BI_RGB,
// bottom-up or top-down.
std::optional<Surface> SurfaceFromPackedDib(std::span<const std::uint8_t> bytes);

// A .bmp file: the 14-byte file header ("BM", size, offset of the pixels), then a packed
// DIB whose pixels start at that offset.
std::optional<Surface> SurfaceFromBmpFile(std::span<const std::uint8_t> bytes);

}  // namespace velnor
