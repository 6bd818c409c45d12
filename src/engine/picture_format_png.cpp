// PNG files: the signature, then chunks of length, type, data and checksum, the first of
// them IHDR with the size, the last IEND. Every chunk must lie within the data before a
// decoder sees the file; the picture is complete when IEND is reached.
#include "engine/picture_format.h"

namespace velnor {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kHeaderDataBytes = 13;
constexpr std::size_t kChunkFrameBytes = 12;  // length, type and checksum around the data
// A chunk's length may be at most 2^31 - 1.
constexpr std::uint32_t kMaxChunkLength = 0x7FFFFFFFu;

std::uint32_t ReadBig32(std::span<const std::uint8_t> b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]};
}

bool TypeIs(std::span<const std::uint8_t> b, std::size_t at, const char (&type)[5]) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (b[at + 4 + i] != static_cast<std::uint8_t>(type[i])) return false;
    }
    return true;
}

bool SniffPng(std::span<const std::uint8_t> b) {
    if (b.size() < sizeof kSignature) return false;
    for (std::size_t i = 0; i < sizeof kSignature; ++i) {
        if (b[i] != kSignature[i]) return false;
    }
    return true;
}

// Bit depths each colour type allows (grey, -, RGB, palette, grey+alpha, -, RGBA).
bool KnownLayout(int colourType, int bitDepth) {
    switch (colourType) {
        case 0:
            return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 ||
                   bitDepth == 16;
        case 3:
            return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
        case 2:
        case 4:
        case 6:
            return bitDepth == 8 || bitDepth == 16;
        default:
            return false;
    }
}

// Walks the chunks after IHDR: each must lie within the data (a cut-off file's last chunk
// claims more than is there); IEND ends the picture. Data that ends between two chunks
// lies within its headers but is not complete.
void WalkChunks(std::span<const std::uint8_t> b, std::size_t at, PictureFacts& facts) {
    facts.headersLieWithin = false;
    while (at + kChunkFrameBytes <= b.size()) {
        const std::uint32_t length = ReadBig32(b, at);
        if (length > kMaxChunkLength || length > b.size() - at - kChunkFrameBytes) return;
        if (TypeIs(b, at, "IEND")) {
            facts.headersLieWithin = true;
            facts.complete = true;
            return;
        }
        at += kChunkFrameBytes + length;
    }
    facts.headersLieWithin = at == b.size();
}

PictureFacts ReadPng(std::span<const std::uint8_t> b, int) {
    PictureFacts facts;
    const std::size_t ihdr = sizeof kSignature;
    if (b.size() < ihdr + kChunkFrameBytes + kHeaderDataBytes ||
        ReadBig32(b, ihdr) != kHeaderDataBytes || !TypeIs(b, ihdr, "IHDR")) {
        return facts;
    }
    const std::size_t data = ihdr + 8;
    const std::uint32_t width = ReadBig32(b, data);
    const std::uint32_t height = ReadBig32(b, data + 4);
    const int bitDepth = b[data + 8];
    const int colourType = b[data + 9];
    const bool known = KnownLayout(colourType, bitDepth) && b[data + 10] == 0 &&
                       b[data + 11] == 0 && b[data + 12] <= 1;
    if (!known || width > kMaxChunkLength || height > kMaxChunkLength) return facts;
    facts.header.stored = {static_cast<int>(width), static_cast<int>(height)};
    facts.sized = true;
    WalkChunks(b, data + kHeaderDataBytes + 4, facts);
    return facts;
}

}  // namespace

// This format's row in the table of picture_format.cpp.
extern const PictureFormat kPngFormat{.kind = PictureKind::kPng,
                                      .name = "png",
                                      .sniff = SniffPng,
                                      .read = ReadPng,
                                      .prepare = nullptr,
                                      .smaller = SmallerDecoding::kShrunkWhileConverting,
                                      .sizedByPlaying = false};

}  // namespace velnor
