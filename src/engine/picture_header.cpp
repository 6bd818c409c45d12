// Header reading of the four picture kinds (size, JPEG orientation, GIF first frame), the
// orientation turn and the JPEG scale choice. Every read is bounded by the data.
#include "engine/picture_header.h"

#include "engine/byte_reading.h"

namespace velnor {
namespace {

// Each run of a run-length bitmap paints at most 255 pixels with two bytes, so a file
// written row by row holds at most about 128 pixels per byte; more than this many
// pixels per byte can only come from skips that leave the picture unpainted. Pictures up
// to a megapixel cost little whatever their data, and are never refused for it.
constexpr long long kMaxRunLengthPixelsPerByte = 256;
constexpr long long kAlwaysAcceptedRunLengthPixels = 1 << 20;

std::uint16_t Big16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

bool IsStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The orientation tag of the first IFD of a TIFF structure (the body of an EXIF segment).
int OrientationInTiff(std::span<const std::uint8_t> t) {
    if (t.size() < 8) return 1;
    const bool little = t[0] == 'I' && t[1] == 'I';
    if (!little && !(t[0] == 'M' && t[1] == 'M')) return 1;
    const auto u16 = [&](std::size_t at) { return little ? ReadLittle16(t, at) : Big16(t, at); };
    const auto u32 = [&](std::size_t at) -> std::uint32_t {
        return little ? ReadLittle32(t, at)
                      : static_cast<std::uint32_t>(Big16(t, at)) << 16 | Big16(t, at + 2);
    };
    if (u16(2) != 42) return 1;
    const std::uint64_t ifd = u32(4);
    if (ifd + 2 > t.size()) return 1;
    const std::size_t count = u16(static_cast<std::size_t>(ifd));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t entry = ifd + 2 + 12 * std::uint64_t{i};
        if (entry + 12 > t.size()) return 1;
        const auto at = static_cast<std::size_t>(entry);
        if (u16(at) != 0x0112) continue;
        // One SHORT, held in the first two bytes of the value field.
        if (u16(at + 2) != 3 || u32(at + 4) != 1) return 1;
        const int value = u16(at + 8);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

struct JpegFacts {
    std::optional<PictureSize> size;
    int orientation = 1;
};

// Walks the JPEG's markers up to its frame header; the first EXIF segment gives the
// orientation.
JpegFacts ReadJpeg(std::span<const std::uint8_t> b) {
    JpegFacts facts;
    bool exifSeen = false;
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (b[at] != 0xFF) return facts;
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        const std::size_t length = Big16(b, at + 2);
        if (length < 2 || at + 2 + length > b.size()) return facts;
        const std::span<const std::uint8_t> body = b.subspan(at + 4, length - 2);
        if (marker == 0xE1 && !exifSeen && body.size() >= 6 && body[0] == 'E' && body[1] == 'x' &&
            body[2] == 'i' && body[3] == 'f' && body[4] == 0 && body[5] == 0) {
            exifSeen = true;
            facts.orientation = OrientationInTiff(body.subspan(6));
        }
        if (IsStartOfFrame(marker)) {
            if (body.size() >= 5) facts.size = PictureSize{Big16(body, 3), Big16(body, 1)};
            return facts;
        }
        if (marker == 0xDA || marker == 0xD9) return facts;  // picture data before a frame
        at += 2 + length;
    }
    return facts;
}

// The first image descriptor after the GIF's screen descriptor, colour table and
// extensions; 0 when there is none within the data.
std::size_t GifFrameAt(std::span<const std::uint8_t> b) {
    if (b.size() < 13) return 0;
    std::size_t at = 13;
    if (b[10] & 0x80) at += 3 * (std::size_t{2} << (b[10] & 7));
    while (at < b.size()) {
        if (b[at] == 0x2C) return at + 10 <= b.size() ? at : 0;
        if (b[at] != 0x21 || at + 2 > b.size()) return 0;
        at += 2;  // introducer and label, then sub-blocks up to an empty one
        while (at < b.size() && b[at] != 0) at += 1 + std::size_t{b[at]};
        ++at;
    }
    return 0;
}

std::optional<PictureSize> BmpSize(std::span<const std::uint8_t> b) {
    if (b.size() < 14 + 16) return std::nullopt;
    if (ReadLittle32(b, 14) == 12) return PictureSize{ReadLittle16(b, 18), ReadLittle16(b, 20)};
    if (b.size() < 14 + 40) return std::nullopt;
    const auto width = static_cast<std::int32_t>(ReadLittle32(b, 18));
    const auto height = static_cast<std::int32_t>(ReadLittle32(b, 22));
    if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
    const PictureSize size{width, height < 0 ? -height : height};
    const std::uint32_t compression = ReadLittle32(b, 30);
    // A JPEG or PNG inside a bitmap header (compressions 4 and 5, meant for printers)
    // would be a way round the checks of those kinds.
    if (compression == 4 || compression == 5) return std::nullopt;
    if (compression == 1 || compression == 2) {
        const std::uint32_t offset = ReadLittle32(b, 10);
        const long long data = offset < b.size() ? static_cast<long long>(b.size() - offset) : 0;
        const long long pixels = static_cast<long long>(size.width) * size.height;
        if (pixels > kAlwaysAcceptedRunLengthPixels && pixels > kMaxRunLengthPixelsPerByte * data) {
            return std::nullopt;
        }
    }
    return size;
}

}  // namespace

PictureSize PictureHeader::Upright() const {
    return orientation >= 5 ? PictureSize{stored.height, stored.width} : stored;
}

int JpegOrientation(std::span<const std::uint8_t> bytes) {
    if (SniffPictureKind(bytes) != PictureKind::kJpeg) return 1;
    return ReadJpeg(bytes).orientation;
}

std::optional<PictureHeader> ReadPictureHeader(std::span<const std::uint8_t> b,
                                               int metafilePixelsPerInch) {
    if (!HeadersLieWithin(b)) return std::nullopt;
    PictureHeader header;
    header.kind = SniffPictureKind(b);
    std::optional<PictureSize> size;
    switch (header.kind) {
        case PictureKind::kJpeg: {
            const JpegFacts facts = ReadJpeg(b);
            size = facts.size;
            header.orientation = facts.orientation;
            break;
        }
        case PictureKind::kGif:
            header.gifFrameAt = GifFrameAt(b);
            if (header.gifFrameAt == 0) return std::nullopt;
            size = PictureSize{ReadLittle16(b, header.gifFrameAt + 5),
                               ReadLittle16(b, header.gifFrameAt + 7)};
            break;
        case PictureKind::kBmp:
            size = BmpSize(b);
            break;
        case PictureKind::kMetafile:
            if (b.size() >= 4 && ReadLittle32(b, 0) == 0x9AC6CDD7u) {
                size = PlaceableMetafileSize(b, metafilePixelsPerInch);
                if (!size) return std::nullopt;
            } else {
                return header;  // a plain metafile: only playing it gives its size
            }
            break;
        default:
            return std::nullopt;
    }
    if (!size || !IsAcceptablePictureSize(size->width, size->height)) return std::nullopt;
    header.stored = *size;
    return header;
}

Surface OrientedUpright(const Surface& picture, int orientation) {
    if (orientation < 2 || orientation > 8) return picture;
    const int w = picture.width();
    const int h = picture.height();
    const bool swapped = orientation >= 5;
    Surface out(swapped ? h : w, swapped ? w : h);
    for (int y = 0; y < out.height(); ++y) {
        Pixel* row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            int sx = x, sy = y;
            switch (orientation) {
                case 2:
                    sx = w - 1 - x;
                    break;
                case 3:
                    sx = w - 1 - x;
                    sy = h - 1 - y;
                    break;
                case 4:
                    sy = h - 1 - y;
                    break;
                case 5:
                    sx = y;
                    sy = x;
                    break;
                case 6:
                    sx = y;
                    sy = h - 1 - x;
                    break;
                case 7:
                    sx = w - 1 - y;
                    sy = h - 1 - x;
                    break;
                default:
                    sx = w - 1 - y;
                    sy = x;
                    break;  // 8
            }
            row[x] = picture.row(sy)[sx];
        }
    }
    return out;
}

void KeepFirstGifFrameOnly(std::vector<std::uint8_t>& bytes, const PictureHeader& header) {
    const std::size_t at = header.gifFrameAt;
    if (header.kind != PictureKind::kGif || at == 0 || at + 10 > bytes.size()) return;
    for (std::size_t i = 0; i < 4; ++i) bytes[6 + i] = bytes[at + 5 + i];  // screen = frame
    for (std::size_t i = 1; i < 5; ++i) bytes[at + i] = 0;                 // frame at 0, 0
}

int JpegScaleDivisor(PictureSize stored, PictureSize drawn, int orientation) {
    if (drawn.width <= 0 || drawn.height <= 0) return 1;
    const PictureSize need = orientation >= 5 ? PictureSize{drawn.height, drawn.width} : drawn;
    for (const int divisor : {8, 4, 2}) {
        const PictureSize scaled = ScaledDown(stored, divisor);
        if (scaled.width >= need.width && scaled.height >= need.height) return divisor;
    }
    return 1;
}

PictureSize ScaledDown(PictureSize size, int divisor) {
    return {(size.width + divisor - 1) / divisor, (size.height + divisor - 1) / divisor};
}

}  // namespace velnor
