// JPEG files, read in one walk of their markers: the frame header's size and the first
// EXIF segment's orientation, and whether the data ends with the end-of-image marker,
// lacks only that marker with every block of the picture present (a file cut by a camera
// or a download just before its last two bytes), or is cut inside its headers or data.
#include "engine/byte_reading.h"
#include "engine/jpeg_scan_layout.h"
#include "engine/picture_format.h"

namespace velnor {
namespace {

constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;

std::uint16_t Big16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] << 8 | b[at + 1]);
}

bool IsStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool SniffJpeg(std::span<const std::uint8_t> b) {
    return b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF;
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

bool IsExif(std::span<const std::uint8_t> body) {
    return body.size() >= 6 && body[0] == 'E' && body[1] == 'x' && body[2] == 'i' &&
           body[3] == 'f' && body[4] == 0 && body[5] == 0;
}

// The header part of the walk: the first EXIF segment gives the orientation, the frame
// header the size. False once the header part is over: at the frame header, or at a scan
// before any frame.
bool ReadHeaderSegment(std::uint8_t marker, std::span<const std::uint8_t> body, bool& exifSeen,
                       PictureFacts& facts) {
    if (marker == 0xE1 && !exifSeen && IsExif(body)) {
        exifSeen = true;
        facts.header.orientation = OrientationInTiff(body.subspan(6));
    }
    if (IsStartOfFrame(marker)) {
        if (body.size() >= 5) {
            facts.header.stored = {Big16(body, 3), Big16(body, 1)};
            facts.sized = true;
        }
        return false;
    }
    return marker != kStartOfScan;
}

// Entropy-coded data runs up to the next marker that is neither a stuffed 0xFF00 nor a
// restart marker; returns where that marker starts (or the end of the data).
std::size_t EndOfScanData(std::span<const std::uint8_t> b, std::size_t at) {
    while (at + 1 < b.size() &&
           !(b[at] == 0xFF && b[at + 1] != 0x00 && (b[at + 1] < 0xD0 || b[at + 1] > 0xD7))) {
        ++at;
    }
    return at;
}

// Walks the marker segments as decoders do: stray bytes between segments and fill bytes
// are passed over, a thumbnail inside an application segment is skipped with it. The
// size and orientation are taken only while the walk is strict, as a header reader's
// would be: up to the frame header, and never past a stray byte or the end of the data.
PictureFacts ReadJpeg(std::span<const std::uint8_t> b, int) {
    PictureFacts facts;
    facts.headersLieWithin = true;
    JpegScanLayout layout;
    bool inHeader = true;
    bool exifSeen = false;
    std::size_t at = 2;
    std::size_t scanData = 0;
    bool endsInScanData = false;
    while (at + 1 < b.size()) {
        inHeader = inHeader && at + 4 <= b.size() && b[at] == 0xFF;
        if (b[at] != 0xFF) {
            ++at;
            continue;
        }
        const std::uint8_t marker = b[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == kEndOfImage) {
            facts.complete = true;
            return facts;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        if (at + 3 >= b.size()) return facts;
        const std::size_t length = Big16(b, at + 2);
        if (length < 2 || at + 2 + length > b.size()) return facts;
        const std::span<const std::uint8_t> body = b.subspan(at + 4, length - 2);
        if (inHeader) inHeader = ReadHeaderSegment(marker, body, exifSeen, facts);
        layout.Read(marker, body);
        at += 2 + length;
        if (marker != kStartOfScan) continue;
        scanData = at;
        at = EndOfScanData(b, at);
        endsInScanData = at + 1 >= b.size();
    }
    facts.complete = endsInScanData && layout.LastScanHoldsEveryBlock(b.subspan(scanData));
    facts.endMarkerMissing = facts.complete;
    return facts;
}

// Every decoder then reads a complete file.
void AppendMissingEndMarker(std::vector<std::uint8_t>& bytes, const PictureFacts& facts) {
    if (facts.endMarkerMissing) bytes.insert(bytes.end(), {0xFF, kEndOfImage});
}

}  // namespace

// This format's row in the table of picture_format.cpp.
extern const PictureFormat kJpegFormat{.kind = PictureKind::kJpeg,
                                       .name = "jpeg",
                                       .sniff = SniffJpeg,
                                       .read = ReadJpeg,
                                       .prepare = AppendMissingEndMarker,
                                       .smaller = SmallerDecoding::kScaledWhileDecoding,
                                       .sizedByPlaying = false};

}  // namespace velnor
