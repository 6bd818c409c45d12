// Byte-level checks of picture files: kind sniffing and completeness of JPEG and BMP.
#include "engine/picture_checks.h"

#include <cstdlib>

#include "engine/byte_reading.h"
#include "engine/jpeg_ending.h"

namespace velnor {
namespace {

bool BmpHoldsItsPixels(std::span<const std::uint8_t> b) {
    if (b.size() < 14 + 16) return false;
    const std::uint32_t offset = ReadLittle32(b, 10);
    const std::uint32_t header = ReadLittle32(b, 14);
    if (header == 12) {  // the old core header: 16-bit sizes
        const long long stride =
            (static_cast<long long>(ReadLittle16(b, 18)) * ReadLittle16(b, 24) + 31) / 32 * 4;
        return offset + stride * ReadLittle16(b, 20) <= static_cast<long long>(b.size());
    }
    if (b.size() < 14 + 40 || header < 40) return false;
    const long long width = static_cast<std::int32_t>(ReadLittle32(b, 18));
    const long long height = std::llabs(static_cast<std::int32_t>(ReadLittle32(b, 22)));
    const long long bits = ReadLittle16(b, 28);
    const std::uint32_t compression = ReadLittle32(b, 30);
    if (compression == 1 || compression == 2) {  // run-length: the stored size must be there
        return offset + static_cast<long long>(ReadLittle32(b, 34)) <=
               static_cast<long long>(b.size());
    }
    if (compression != 0 && compression != 3) return true;  // left to the decoder
    if (width <= 0 || bits <= 0) return false;
    const long long stride = (width * bits + 31) / 32 * 4;
    return offset <= b.size() && stride * height <= static_cast<long long>(b.size() - offset);
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

bool LooksComplete(std::span<const std::uint8_t> bytes) {
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
