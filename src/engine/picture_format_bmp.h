// The information header of a device-independent bitmap, as BMP files and the program's
// BITMAP resources store it; read by the BMP format and by the bitmap reader alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace velnor {

inline constexpr std::size_t kDibInfoHeaderBytes = 40;

struct DibInfoHeader {
    std::uint32_t headerBytes = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: the rows are stored bottom up
    std::uint16_t bits = 0;   // per pixel
    std::uint32_t compression = 0;
    std::uint32_t dataBytes = 0;  // the stored size of the pixel data (0 is allowed)
    std::uint32_t colours = 0;    // in the colour table (0: all that `bits` can index)
};

// The fields at the start of `dib`; callers check that it holds kDibInfoHeaderBytes.
DibInfoHeader ReadDibInfoHeader(std::span<const std::uint8_t> dib);

}  // namespace velnor
