// The structural check of Windows metafiles. Loaders size their buffers from these headers
// and read records by their stated sizes, so a record that runs past the data or past the
// announced largest record, or a missing end record, is refused before they see the file.
#include "engine/picture_checks_metafile.h"

#include <cstddef>

#include "engine/byte_reading.h"

namespace velnor {
namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableHeaderBytes = 22;
constexpr std::size_t kMetaHeaderBytes = 18;
constexpr std::size_t kRecordHeaderBytes = 6;  // size in words (32 bits), function (16 bits)
constexpr std::uint16_t kEndOfFileFunction = 0x0000;
constexpr std::uint16_t kPolygonFunction = 0x0324;
constexpr std::uint16_t kPolylineFunction = 0x0325;

// The bounding box (signed 16-bit left, top, right, bottom) must enclose an area and the
// units per inch must not be zero: both become the picture's size. A box given right to
// left or bottom to top is played mirrored and is accepted; the checksum is not checked,
// as the players do not check it either.
bool PlaceableHeaderHoldsTogether(std::span<const std::uint8_t> b) {
    const auto coordinate = [&](std::size_t at) {
        return static_cast<std::int16_t>(ReadLittle16(b, at));
    };
    return coordinate(6) != coordinate(10) && coordinate(8) != coordinate(12) &&
           ReadLittle16(b, 14) != 0;
}

// Type 1 (memory) or 2 (disk), a header of 9 words, version 1.0 or 3.0. The stated file
// size may be larger than the data (the players go by the end record) but never smaller
// than the header itself.
bool MetaHeaderHoldsTogether(std::span<const std::uint8_t> m) {
    const std::uint16_t type = ReadLittle16(m, 0);
    const std::uint16_t version = ReadLittle16(m, 4);
    return (type == 1 || type == 2) && ReadLittle16(m, 2) == kMetaHeaderBytes / 2 &&
           (version == 0x0100 || version == 0x0300) && ReadLittle32(m, 6) >= kMetaHeaderBytes / 2;
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

}  // namespace

bool MetafileHoldsTogether(std::span<const std::uint8_t> bytes) {
    std::span<const std::uint8_t> metafile = bytes;
    if (bytes.size() >= 4 && ReadLittle32(bytes, 0) == kPlaceableKey) {
        if (bytes.size() < kPlaceableHeaderBytes || !PlaceableHeaderHoldsTogether(bytes)) {
            return false;
        }
        metafile = bytes.subspan(kPlaceableHeaderBytes);
    }
    if (metafile.size() < kMetaHeaderBytes || !MetaHeaderHoldsTogether(metafile)) return false;
    // Loaders allocate the largest record before reading any: it must fit in the data.
    const std::uint64_t largestWords = ReadLittle32(metafile, 12);
    if (largestWords * 2 > metafile.size()) return false;
    return RecordsEndInside(metafile, largestWords);
}

}  // namespace velnor
