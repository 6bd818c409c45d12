// BMP files: a 14-byte file header, an information header (the old 12-byte core header or
// one of 40 bytes or more), a colour table and the pixels. One reading gives the size,
// whether the headers and the table lie within the data and whether every pixel row is there.
#include "engine/picture_format_bmp.h"

#include <optional>

#include "engine/byte_reading.h"
#include "engine/picture_format.h"

namespace velnor {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;  // 16-bit sizes

// Each run of a run-length bitmap paints at most 255 pixels with two bytes, so a file
// written row by row holds at most about 128 pixels per byte; more than this many
// pixels per byte can only come from skips that leave the picture unpainted. Pictures up
// to a megapixel cost little whatever their data, and are never refused for it.
constexpr long long kMaxRunLengthPixelsPerByte = 256;
constexpr long long kAlwaysAcceptedRunLengthPixels = 1 << 20;

bool IsRunLength(std::uint32_t compression) {
    return compression == 1 || compression == 2;
}

// a * b, or nothing when the product does not fit in 64 bits.
std::optional<std::uint64_t> CheckedProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > UINT64_MAX / a) return std::nullopt;
    return a * b;
}

// Whether `pixelsAt` plus the rows of `width` pixels at `bits` each (rows padded to four
// bytes) fit in `size` bytes. Header values may be anything, so every step is checked.
bool PixelRowsFit(std::uint64_t width, std::uint64_t height, std::uint64_t bits,
                  std::uint64_t pixelsAt, std::uint64_t size) {
    const std::optional<std::uint64_t> rowBits = CheckedProduct(width, bits);
    if (!rowBits || *rowBits > UINT64_MAX - 31) return false;
    const std::optional<std::uint64_t> pixelBytes =
        CheckedProduct((*rowBits + 31) / 32 * 4, height);
    return pixelBytes && pixelsAt <= size && *pixelBytes <= size - pixelsAt;
}

// The information header and the colour table it announces (four bytes per colour).
bool HeaderAndTableFit(std::span<const std::uint8_t> b, std::uint64_t headerBytes) {
    if (kFileHeaderBytes + headerBytes > b.size()) return false;
    if (headerBytes < kDibInfoHeaderBytes) return true;
    return kFileHeaderBytes + headerBytes + std::uint64_t{ReadLittle32(b, 46)} * 4 <= b.size();
}

// Whether the pixel data a 40-byte (or longer) header announces is all there. Codings
// other than plain and run-length are left to the decoder.
bool PixelsFit(const DibInfoHeader& info, std::uint32_t pixelsAt, std::size_t size) {
    if (IsRunLength(info.compression)) return std::uint64_t{pixelsAt} + info.dataBytes <= size;
    if (info.compression != 0 && info.compression != 3) return true;
    if (info.width <= 0 || info.bits == 0) return false;
    const std::uint64_t rows =
        info.height < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(std::int64_t{info.height})
                        : static_cast<std::uint64_t>(info.height);
    return PixelRowsFit(static_cast<std::uint64_t>(info.width), rows, info.bits, pixelsAt, size);
}

// The size a 40-byte (or longer) header gives; nothing for sizes no bitmap can have, for
// a JPEG or PNG inside a bitmap header (compressions 4 and 5, meant for printers, would be
// a way round the checks of those kinds) and for run-length data far too short.
std::optional<PictureSize> InfoSize(const DibInfoHeader& info, std::uint32_t pixelsAt,
                                    std::size_t size) {
    if (info.width <= 0 || info.height == 0 || info.height == INT32_MIN) return std::nullopt;
    const PictureSize picture{info.width, info.height < 0 ? -info.height : info.height};
    if (info.compression == 4 || info.compression == 5) return std::nullopt;
    if (IsRunLength(info.compression)) {
        const long long data = pixelsAt < size ? static_cast<long long>(size - pixelsAt) : 0;
        const long long pixels = static_cast<long long>(picture.width) * picture.height;
        if (pixels > kAlwaysAcceptedRunLengthPixels && pixels > kMaxRunLengthPixelsPerByte * data) {
            return std::nullopt;
        }
    }
    return picture;
}

bool SniffBmp(std::span<const std::uint8_t> b) {
    return b.size() >= 2 && b[0] == 'B' && b[1] == 'M';
}

PictureFacts ReadBmp(std::span<const std::uint8_t> b, int) {
    PictureFacts facts;
    if (b.size() < kFileHeaderBytes + 4) return facts;
    const std::uint32_t headerBytes = ReadLittle32(b, 14);
    facts.headersLieWithin = HeaderAndTableFit(b, headerBytes);
    if (b.size() < kFileHeaderBytes + 16) return facts;
    const std::uint32_t pixelsAt = ReadLittle32(b, 10);
    if (headerBytes == kCoreHeaderBytes) {
        const PictureSize size{ReadLittle16(b, 18), ReadLittle16(b, 20)};
        facts.header.stored = size;
        facts.sized = true;
        facts.complete = PixelRowsFit(static_cast<std::uint64_t>(size.width),
                                      static_cast<std::uint64_t>(size.height), ReadLittle16(b, 24),
                                      pixelsAt, b.size());
        return facts;
    }
    if (b.size() < kFileHeaderBytes + kDibInfoHeaderBytes) return facts;
    const DibInfoHeader info = ReadDibInfoHeader(b.subspan(kFileHeaderBytes));
    facts.complete = headerBytes >= kDibInfoHeaderBytes && PixelsFit(info, pixelsAt, b.size());
    if (const std::optional<PictureSize> size = InfoSize(info, pixelsAt, b.size())) {
        facts.header.stored = *size;
        facts.sized = true;
    }
    return facts;
}

}  // namespace

DibInfoHeader ReadDibInfoHeader(std::span<const std::uint8_t> dib) {
    return {ReadLittle32(dib, 0),
            static_cast<std::int32_t>(ReadLittle32(dib, 4)),
            static_cast<std::int32_t>(ReadLittle32(dib, 8)),
            ReadLittle16(dib, 14),
            ReadLittle32(dib, 16),
            ReadLittle32(dib, 20),
            ReadLittle32(dib, 32)};
}

// This format's row in the table of picture_format.cpp.
extern const PictureFormat kBmpFormat{.kind = PictureKind::kBmp,
                                      .name = "bmp",
                                      .sniff = SniffBmp,
                                      .read = ReadBmp,
                                      .prepare = nullptr,
                                      .smaller = SmallerDecoding::kShrunkWhileConverting,
                                      .sizedByPlaying = false};

}  // namespace velnor
