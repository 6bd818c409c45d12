// Windows metafiles (WMF), placeable (after a 22-byte header that gives their size) or
// plain: the header reading that the format's row, the picture checks and the Windows
// player share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/picture_decoder.h"

namespace velnor {

inline constexpr std::size_t kPlaceableHeaderBytes = 22;
inline constexpr std::size_t kMetaHeaderBytes = 18;

// The placeable header's bounding box (signed 16-bit coordinates) and units per inch.
struct PlaceableBox {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;
    long long unitsPerInch = 0;
};

// The box of data that starts with a complete placeable header; nothing for other data.
std::optional<PlaceableBox> ReadPlaceableBox(std::span<const std::uint8_t> bytes);

// Whether `metafile` starts with a metafile header of a known type (1, memory, or 2, disk),
// a header size of 9 words and version 1.0 or 3.0. Needs 6 bytes; false for fewer.
bool IsMetaHeaderStart(std::span<const std::uint8_t> metafile);

// The size a placeable metafile asks for at `pixelsPerInch`, from its 22-byte header;
// std::nullopt for other data.
std::optional<PictureSize> PlaceableMetafileSize(std::span<const std::uint8_t> bytes,
                                                 int pixelsPerInch);

}  // namespace velnor
