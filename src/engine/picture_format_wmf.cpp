// Windows metafiles: the kind, the size of a placeable one, and the structural check.
// Loaders size their buffers from the headers and read records by their stated sizes, so a
// record that runs past the data or past the announced largest record, or a missing end
// record, is refused before they see the file.
#include "engine/picture_format_wmf.h"

#include <cstdlib>

#include "engine/byte_reading.h"
#include "engine/picture_format.h"

namespace velnor {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kRecordHeaderBytes = 6;  // size in words (32 bits), function (16 bits)
constexpr std::uint16_t kEndOfFileFunction = 0x0000;
constexpr std::uint16_t kPolygonFunction = 0x0324;
constexpr std::uint16_t kPolylineFunction = 0x0325;

bool IsPlaceable(std::span<const std::uint8_t> b) {
    return b.size() >= 4 && ReadLittle32(b, 0) == kPlaceableKey;
}

// The bounding box must enclose an area and the units per inch must not be zero: both
// become the picture's size. A box given right to left or bottom to top is played mirrored
// and is accepted; the checksum is not checked, as the players do not check it either.
bool PlaceableHeaderHoldsTogether(const PlaceableBox& box) {
    return box.left != box.right && box.top != box.bottom && box.unitsPerInch != 0;
}

// A known header whose stated file size may be larger than the data (the players go by
// the end record) but never smaller than the header itself.
bool MetaHeaderHoldsTogether(std::span<const std::uint8_t> m) {
    return IsMetaHeaderStart(m) && ReadLittle32(m, 6) >= kMetaHeaderBytes / 2;
}

// Polygons and polylines give their point count as their first parameter; loaders read
// that many points whether or not the record holds them.
bool PointsFit(std::span<const std::uint8_t> m, std::size_t at, std::uint64_t words) {
    const std::uint16_t function = ReadLittle16(m, at + 4);
    if (function != kPolygonFunction && function != kPolylineFunction) return true;
    const std::uint64_t parameters = words - kRecordHeaderBytes / 2;
    return parameters >= 1 && 1 + std::uint64_t{ReadLittle16(m, at + 6)} * 2 <= parameters;
}

// Walks the records after the header: each at least a record header long, inside the
// data and no larger than `largestWords`; true once a well-formed end record is reached.
bool RecordsEndInside(std::span<const std::uint8_t> m, std::uint64_t largestWords) {
    std::size_t at = kMetaHeaderBytes;
    while (m.size() - at >= kRecordHeaderBytes) {
        const std::uint64_t words = ReadLittle32(m, at);
        if (words * 2 < kRecordHeaderBytes || words > largestWords) return false;
        if (words * 2 > m.size() - at) return false;
        // The end record is three words; a longer one makes a loader read its
        // parameters as the next record.
        if (ReadLittle16(m, at + 4) == kEndOfFileFunction) return words == 3;
        if (!PointsFit(m, at, words)) return false;
        at += static_cast<std::size_t>(words * 2);
    }
    return false;
}

// Whether the data holds together: a placeable header with a non-empty bounding box and
// units per inch, a metafile header of a known type and version, and records of at least
// three words each, none beyond the data or larger than the header's largest record,
// ending with a three-word end record inside the data.
bool MetafileHoldsTogether(std::span<const std::uint8_t> bytes) {
    std::span<const std::uint8_t> metafile = bytes;
    if (IsPlaceable(bytes)) {
        const std::optional<PlaceableBox> box = ReadPlaceableBox(bytes);
        if (!box || !PlaceableHeaderHoldsTogether(*box)) return false;
        metafile = bytes.subspan(kPlaceableHeaderBytes);
    }
    if (metafile.size() < kMetaHeaderBytes || !MetaHeaderHoldsTogether(metafile)) return false;
    // Loaders allocate the largest record before reading any: it must fit in the data.
    const std::uint64_t largestWords = ReadLittle32(metafile, 12);
    if (largestWords * 2 > metafile.size()) return false;
    return RecordsEndInside(metafile, largestWords);
}

bool SniffMetafile(std::span<const std::uint8_t> b) {
    return IsPlaceable(b) || IsMetaHeaderStart(b);
}

// A placeable metafile is sized by its header; a plain one only by playing it (0 x 0).
PictureFacts ReadMetafile(std::span<const std::uint8_t> b, int pixelsPerInch) {
    PictureFacts facts;
    facts.headersLieWithin = MetafileHoldsTogether(b);
    facts.complete = facts.headersLieWithin;
    if (!IsPlaceable(b)) {
        facts.sized = true;
    } else if (const std::optional<PictureSize> size = PlaceableMetafileSize(b, pixelsPerInch)) {
        facts.header.stored = *size;
        facts.sized = true;
    }
    return facts;
}

}  // namespace

std::optional<PlaceableBox> ReadPlaceableBox(std::span<const std::uint8_t> b) {
    if (b.size() < kPlaceableHeaderBytes || ReadLittle32(b, 0) != kPlaceableKey) {
        return std::nullopt;
    }
    const auto coordinate = [&](std::size_t at) -> long long {
        return static_cast<std::int16_t>(ReadLittle16(b, at));
    };
    return PlaceableBox{coordinate(6), coordinate(8), coordinate(10), coordinate(12),
                        ReadLittle16(b, 14)};
}

bool IsMetaHeaderStart(std::span<const std::uint8_t> m) {
    if (m.size() < 6) return false;
    const std::uint16_t type = ReadLittle16(m, 0);
    const std::uint16_t version = ReadLittle16(m, 4);
    return (type == 1 || type == 2) && ReadLittle16(m, 2) == kMetaHeaderBytes / 2 &&
           (version == 0x0100 || version == 0x0300);
}

std::optional<PictureSize> PlaceableMetafileSize(std::span<const std::uint8_t> b,
                                                 int pixelsPerInch) {
    const std::optional<PlaceableBox> box = ReadPlaceableBox(b);
    if (!box || pixelsPerInch <= 0 || box->unitsPerInch == 0) return std::nullopt;
    const long long inch = box->unitsPerInch;
    const long long width = (std::llabs(box->right - box->left) * pixelsPerInch + inch / 2) / inch;
    const long long height = (std::llabs(box->bottom - box->top) * pixelsPerInch + inch / 2) / inch;
    if (width <= 0 || height <= 0 || width > 1'000'000 || height > 1'000'000) return std::nullopt;
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

// This format's row in the table of picture_format.cpp.
extern const PictureFormat kMetafileFormat{.kind = PictureKind::kMetafile,
                                           .name = "wmf",
                                           .sniff = SniffMetafile,
                                           .read = ReadMetafile,
                                           .prepare = nullptr,
                                           .smaller = SmallerDecoding::kPlayedAtDrawnSize,
                                           .sizedByPlaying = true};

}  // namespace velnor
