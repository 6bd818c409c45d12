// Building picture files byte by byte for the tests: little-endian numbers, a 24-bit BMP
// file of one colour whose header may claim more rows than it holds, and metafiles.
#pragma once

#include <algorithm>
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

using MetafileRecords = std::vector<std::vector<std::uint16_t>>;

// The records of a metafile that fills its window, 1440 x 720 units, with red.
inline MetafileRecords RedRectangleRecords() {
    return {
        {0x020B, 0, 0},                  // SetWindowOrg
        {0x020C, 720, 1440},             // SetWindowExt
        {0x02FC, 0, 0x00FF, 0x0000, 0},  // CreateBrushIndirect: solid red
        {0x012D, 0},                     // SelectObject
        {0x041B, 720, 1440, 0, 0},       // Rectangle
        {0x0000},                        // end
    };
}

// A metafile header (memory type, version 3.0, one object) with true file size and
// largest record, then `records`, each given as its function and parameters.
inline Bytes MetafileBody(const MetafileRecords& records) {
    std::uint32_t words = 9, largest = 0;
    for (const auto& r : records) {
        const auto size = 2 + static_cast<std::uint32_t>(r.size());
        words += size;
        largest = std::max(largest, size);
    }
    Bytes b;
    Put16(b, 1);
    Put16(b, 9);
    Put16(b, 0x300);
    Put32(b, words);
    Put16(b, 1);
    Put32(b, largest);
    Put16(b, 0);
    for (const auto& r : records) {
        Put32(b, 2 + static_cast<std::uint32_t>(r.size()));
        for (std::uint16_t word : r) Put16(b, word);
    }
    return b;
}

// A placeable header (box 0,0 - 1440,720 at 1440 units per inch: one inch by half an inch,
// with its checksum) before MetafileBody(records).
inline Bytes PlaceableMetafile(const MetafileRecords& records) {
    Bytes b;
    const std::uint16_t header[] = {0xCDD7, 0x9AC6, 0, 0, 0, 1440, 720, 1440, 0, 0};
    std::uint16_t checksum = 0;
    for (std::uint16_t word : header) {
        Put16(b, word);
        checksum ^= word;
    }
    Put16(b, checksum);
    const Bytes body = MetafileBody(records);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

inline Bytes RedRectangleMetafile() {
    return PlaceableMetafile(RedRectangleRecords());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace velnor::testing
