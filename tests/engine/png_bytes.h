// PNG files built byte by byte for the tests: 8-bit RGBA pixels in stored (uncompressed)
// deflate blocks with real checksums, so the system's decoders accept them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "picture_bytes.h"

namespace velnor::testing {

inline void PutBig32(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline std::uint32_t PngCrc(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

inline void PutChunk(Bytes& b, const char (&type)[5], const Bytes& data) {
    PutBig32(b, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = b.size();
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), data.begin(), data.end());
    PutBig32(b, PngCrc(b.data() + typeAt, b.size() - typeAt));
}

// The zlib stream of `raw` in stored blocks.
inline Bytes StoredZlib(const Bytes& raw) {
    Bytes z{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        z.push_back(at + n == raw.size() ? 1 : 0);
        Put16(z, static_cast<unsigned>(n));
        Put16(z, static_cast<unsigned>(~n & 0xFFFF));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, s = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        s = (s + a) % 65521;
    }
    PutBig32(z, (s << 16) | a);
    return z;
}

using Rgba = std::array<std::uint8_t, 4>;

// A `width` x `height` RGBA PNG whose pixel (x, y) is pixel(x, y).
template <typename PixelAt>
Bytes RgbaPng(std::uint32_t width, std::uint32_t height, PixelAt pixel) {
    Bytes b{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBig32(header, width);
    PutBig32(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    PutChunk(b, "IHDR", header);
    Bytes raw;
    for (std::uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (std::uint32_t x = 0; x < width; ++x) {
            const Rgba p = pixel(static_cast<int>(x), static_cast<int>(y));
            raw.insert(raw.end(), p.begin(), p.end());
        }
    }
    PutChunk(b, "IDAT", StoredZlib(raw));
    PutChunk(b, "IEND", {});
    return b;
}

inline Bytes SolidPng(std::uint32_t width, std::uint32_t height, Rgba colour) {
    return RgbaPng(width, height, [&](int, int) { return colour; });
}

}  // namespace velnor::testing
