// Byte-level checks of picture files: kind sniffing, completeness of JPEG and BMP, and the
// headers of BMP files and metafiles.
#include "engine/picture_checks.h"

#include <cstdint>
#include <cstdlib>

#include "engine/byte_reading.h"
#include "engine/jpeg_ending.h"
#include "engine/picture_checks_metafile.h"

namespace velnor {
namespace {

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

bool BmpHoldsItsPixels(std::span<const std::uint8_t> b) {
    if (b.size() < 14 + 16) return false;
    const std::uint32_t offset = ReadLittle32(b, 10);
    const std::uint32_t header = ReadLittle32(b, 14);
    if (header == 12) {  // the old core header: 16-bit sizes
        return PixelRowsFit(ReadLittle16(b, 18), ReadLittle16(b, 20), ReadLittle16(b, 24), offset,
                            b.size());
    }
    if (b.size() < 14 + 40 || header < 40) return false;
    const std::int32_t width = static_cast<std::int32_t>(ReadLittle32(b, 18));
    const std::int32_t height = static_cast<std::int32_t>(ReadLittle32(b, 22));
    const std::uint16_t bits = ReadLittle16(b, 28);
    const std::uint32_t compression = ReadLittle32(b, 30);
    if (compression == 1 || compression == 2) {  // run-length: the stored size must be there
        return std::uint64_t{offset} + ReadLittle32(b, 34) <= b.size();
    }
    if (compression != 0 && compression != 3) return true;  // left to the decoder
    if (width <= 0 || bits == 0) return false;
    const std::uint64_t rows =
        height < 0
            ? std::uint64_t{0} - static_cast<std::uint64_t>(static_cast<std::int64_t>(height))
            : static_cast<std::uint64_t>(height);
    return PixelRowsFit(static_cast<std::uint64_t>(width), rows, bits, offset, b.size());
}

// The information header and the colour table it announces (four bytes per colour).
bool BmpHeadersLieWithin(std::span<const std::uint8_t> b) {
    if (b.size() < 14 + 4) return false;
    const std::uint64_t header = ReadLittle32(b, 14);
    if (14 + header > b.size()) return false;
    if (header < 40) return true;
    return 14 + header + std::uint64_t{ReadLittle32(b, 46)} * 4 <= b.size();
}

}  // namespace

PictureKind SniffPictureKind(std::span<const std::uint8_t> b) {
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return PictureKind::kBmp;
    if (b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF) return PictureKind::kJpeg;
    if (b.size() >= 6 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' &&
        (b[4] == '7' || b[4] == '9') && b[5] == 'a') {
        return PictureKind::kGif;
    }
    if (b.size() >= 4 && ReadLittle32(b, 0) == 0x9AC6CDD7u) return PictureKind::kMetafile;
    if (b.size() >= 6 && (ReadLittle16(b, 0) == 1 || ReadLittle16(b, 0) == 2) &&
        ReadLittle16(b, 2) == 9 && (ReadLittle16(b, 4) == 0x300 || ReadLittle16(b, 4) == 0x100)) {
        return PictureKind::kMetafile;
    }
    return PictureKind::kUnknown;
}

bool HeadersLieWithin(std::span<const std::uint8_t> b) {
    switch (SniffPictureKind(b)) {
        case PictureKind::kBmp:
            return BmpHeadersLieWithin(b);
        case PictureKind::kMetafile:
            return MetafileHoldsTogether(b);
        case PictureKind::kUnknown:
            // The Linux metafile loader claims all data whose first byte is 1 (the type of
            // a metafile header) and plays it unchecked; no other picture format starts so.
            return b.empty() || b[0] != 1;
        default:
            return true;
    }
}

bool LooksComplete(std::span<const std::uint8_t> bytes) {
    if (!HeadersLieWithin(bytes)) return false;
    switch (SniffPictureKind(bytes)) {
        case PictureKind::kJpeg:
            return JpegEndingOf(bytes) != JpegEnding::kCut;
        case PictureKind::kBmp:
            return BmpHoldsItsPixels(bytes);
        default:
            return true;
    }
}

bool CompleteForDecoding(std::vector<std::uint8_t>& bytes) {
    if (SniffPictureKind(bytes) != PictureKind::kJpeg) return LooksComplete(bytes);
    switch (JpegEndingOf(bytes)) {
        case JpegEnding::kEndMarker:
            return true;
        case JpegEnding::kEndMarkerMissing:
            bytes.insert(bytes.end(), {0xFF, 0xD9});
            return true;
        default:
            return false;
    }
}

std::optional<PictureSize> PlaceableMetafileSize(std::span<const std::uint8_t> b,
                                                 int pixelsPerInch) {
    if (b.size() < 22 || ReadLittle32(b, 0) != 0x9AC6CDD7u || pixelsPerInch <= 0)
        return std::nullopt;
    const long long left = static_cast<std::int16_t>(ReadLittle16(b, 6));
    const long long top = static_cast<std::int16_t>(ReadLittle16(b, 8));
    const long long right = static_cast<std::int16_t>(ReadLittle16(b, 10));
    const long long bottom = static_cast<std::int16_t>(ReadLittle16(b, 12));
    const long long inch = ReadLittle16(b, 14);
    if (inch == 0) return std::nullopt;
    const long long width = (std::llabs(right - left) * pixelsPerInch + inch / 2) / inch;
    const long long height = (std::llabs(bottom - top) * pixelsPerInch + inch / 2) / inch;
    if (width <= 0 || height <= 0 || width > 1'000'000 || height > 1'000'000) return std::nullopt;
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace velnor
