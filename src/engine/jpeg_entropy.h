// The parts of a sequential Huffman-coded JPEG that decide how much entropy-coded data a
// scan needs (frame size and sampling, Huffman tables, restart interval, scan components),
// and the walk of one scan's data that counts whole blocks without decoding pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velnor {

// Codes of up to this many bits are found with one look-up.
inline constexpr int kHuffmanLookupBits = 9;

// One Huffman table in the form of the JPEG standard's decoding procedure: for each code
// length 1..16 the smallest and largest code and where its values start; and for every
// kHuffmanLookupBits-bit prefix the length of the short code it starts with (0: longer).
struct HuffmanTable {
    bool defined = false;
    std::array<int, 17> minCode{};
    std::array<int, 17> maxCode{};  // -1 where no code has that length
    std::array<int, 17> firstValue{};
    std::vector<std::uint8_t> values;
    std::array<std::uint8_t, 1 << kHuffmanLookupBits> shortCodeLength{};
};

// Builds a table from its 16 code-length counts and its values; false when they disagree.
bool BuildHuffmanTable(std::span<const std::uint8_t> counts, std::span<const std::uint8_t> values,
                       HuffmanTable& table);

struct JpegComponent {
    std::uint8_t id = 0;
    int horizontal = 1;  // sampling factors, 1..4
    int vertical = 1;
};

struct JpegFrame {
    int width = 0;
    int height = 0;
    std::vector<JpegComponent> components;
};

struct JpegScanComponent {
    std::size_t frameIndex = 0;  // into JpegFrame::components
    const HuffmanTable* dc = nullptr;
    const HuffmanTable* ac = nullptr;
};

// True when `data` (a scan's entropy-coded data up to the end of the file) holds every
// block of `scan`'s components of `frame`, with restart markers after every
// `restartInterval` MCUs when that is not 0. The data may end with a lone 0xFF, the
// first byte of a marker that was cut off.
bool ScanHoldsEveryBlock(std::span<const std::uint8_t> data, const JpegFrame& frame,
                         const std::vector<JpegScanComponent>& scan, int restartInterval);

}  // namespace velnor
