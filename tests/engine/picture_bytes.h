// Building picture files byte by byte for the tests: little-endian numbers and a 24-bit
// BMP file of one colour whose header may claim more rows than it holds.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace velnor::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A 24-bit BMP file whose header claims `width` x `height` but holds `rows` rows of
// `width` pixels, all the colour (blue, green, red).
inline Bytes SolidBmp(int width, int height, int rows, std::uint8_t blue, std::uint8_t green,
                      std::uint8_t red) {
    const std::uint32_t stride = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
    Bytes b{'B', 'M'};
    Put32(b, 54 + stride * static_cast<std::uint32_t>(rows));
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    for (int y = 0; y < rows; ++y) {
        Bytes row(stride, 0);
        for (int x = 0; x < width; ++x) {
            row[x * 3] = blue;
            row[x * 3 + 1] = green;
            row[x * 3 + 2] = red;
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace velnor::testing
