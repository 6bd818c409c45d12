// Little-endian numbers in the bytes of picture files, as BMP, DIB and metafile headers
// store them; shared by the picture checks and the bitmap reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace velnor {

// The 16-bit value at `at`. Callers check that bytes at..at+1 exist.
inline std::uint16_t ReadLittle16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// The 32-bit value at `at`. Callers check that bytes at..at+3 exist.
inline std::uint32_t ReadLittle32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

}  // namespace velnor
