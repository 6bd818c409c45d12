// Parsing of uncompressed device-independent bitmaps into surfaces; the header's fields
// come from the BMP format's reading of them.
#include "engine/dib_reader.h"

#include <cstdlib>

#include "engine/byte_reading.h"
#include "engine/picture_decoder.h"
#include "engine/picture_format.h"
#include "engine/picture_format_bmp.h"

namespace velnor {
namespace {

// `pixelOffset` is where the pixels start, counted from the header's first byte; 0 means
// straight after the colour table.
std::optional<Surface> ReadDib(std::span<const std::uint8_t> bytes, std::size_t pixelOffset) {
    if (bytes.size() < kDibInfoHeaderBytes) return std::nullopt;
    const DibInfoHeader info = ReadDibInfoHeader(bytes);
    const std::uint32_t headerSize = info.headerBytes;
    const std::int32_t width = info.width;
    const std::int32_t rawHeight = info.height;
    const int bits = info.bits;
    const std::uint32_t compression = info.compression;
    std::uint32_t colours = info.colours;
    if (headerSize < kDibInfoHeaderBytes || headerSize > bytes.size() || compression != 0)
        return std::nullopt;
    if (rawHeight == INT32_MIN) return std::nullopt;
    const long long height = std::llabs(rawHeight);
    if (!IsAcceptablePictureSize(width, height)) return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
    // Deeper bitmaps may still carry a table (unused here) that the pixels follow.
    if (bits <= 8 && colours == 0) colours = 1u << bits;
    if (colours > 256) return std::nullopt;
    const std::size_t tableAt = headerSize;
    if (tableAt + colours * 4ull > bytes.size()) return std::nullopt;
    if (pixelOffset == 0) pixelOffset = tableAt + colours * 4ull;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset > bytes.size() ||
        (bytes.size() - pixelOffset) / stride < static_cast<std::size_t>(height)) {
        return std::nullopt;
    }
    Surface out(width, static_cast<int>(height));
    for (int y = 0; y < out.height(); ++y) {
        const int sourceRow = rawHeight > 0 ? out.height() - 1 - y : y;
        const std::uint8_t* src = bytes.data() + pixelOffset + stride * sourceRow;
        Pixel* dst = out.row(y);
        for (int x = 0; x < width; ++x) {
            if (bits >= 24) {
                const std::uint8_t* p = src + static_cast<std::size_t>(x) * (bits / 8);
                dst[x] = PixelFromRgb(p[2], p[1], p[0]);
                continue;
            }
            const int perByte = 8 / bits;
            const int shift = 8 - bits * (x % perByte + 1);
            const unsigned index = (src[x / perByte] >> shift) & ((1u << bits) - 1);
            if (index >= colours) return std::nullopt;
            const std::size_t entry = tableAt + index * 4ull;
            dst[x] = PixelFromRgb(bytes[entry + 2], bytes[entry + 1], bytes[entry]);
        }
    }
    return out;
}

}  // namespace

std::optional<Surface> SurfaceFromPackedDib(std::span<const std::uint8_t> bytes) {
    return ReadDib(bytes, 0);
}

std::optional<Surface> SurfaceFromBmpFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 14 || !PictureFormatOf(PictureKind::kBmp)->sniff(bytes)) return std::nullopt;
    const std::uint32_t offset = ReadLittle32(bytes, 10);
    if (offset < 14 + 40 || offset > bytes.size()) return std::nullopt;
    return ReadDib(bytes.subspan(14), offset - 14);
}

}  // namespace velnor
