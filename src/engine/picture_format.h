// The picture formats the program decodes, one row each, and the one reading of a file's
// bytes that every check, header read and decoding plan starts from. Each format's file
// (picture_format_bmp.cpp, _gif, _jpeg, _wmf, _png) reads its kind, size, orientation and
// completeness in one pass; a new format is one such file and one row in the table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/picture_decoder.h"

namespace velnor {

enum class PictureKind { kUnknown, kBmp, kGif, kJpeg, kMetafile, kPng };

struct PictureHeader {
    PictureKind kind = PictureKind::kUnknown;
    // The stored size in pixels, before the orientation is applied. A metafile without a
    // placeable header has no size here (0 x 0): only playing it tells.
    PictureSize stored;
    int orientation = 1;  // EXIF orientation 1..8 of a JPEG, 1 for everything else
    // Where a GIF's first image descriptor starts (0 for other kinds).
    std::size_t gifFrameAt = 0;

    // The size the picture shows at once turned upright.
    PictureSize Upright() const {
        return orientation >= 5 ? PictureSize{stored.height, stored.width} : stored;
    }
};

// What one reading of a file's bytes tells about it.
struct PictureFacts {
    PictureHeader header;  // the kind always; the size only when `sized`
    // The header gave a size within IsAcceptablePictureSize (or the file is a plain
    // metafile, which only playing sizes).
    bool sized = false;
    // No header or table claims more bytes than the data holds and a metafile's records
    // hold together: without this no loader may see the file (they may allocate what the
    // headers claim before they notice).
    bool headersLieWithin = false;
    // All the data the headers announce is there, so no decoder fills a missing part with
    // grey or black. Implies headersLieWithin.
    bool complete = false;
    // A complete JPEG that lacks only its final end-of-image marker.
    bool endMarkerMissing = false;
};

// How a format's decoders make fewer pixels of a picture drawn smaller than it is stored.
enum class SmallerDecoding {
    kScaledWhileDecoding,    // at a DCT scale of 1/2, 1/4 or 1/8 (JPEG)
    kShrunkWhileConverting,  // colour on colour, as the composition would (BMP, GIF)
    kPlayedAtDrawnSize,      // a drawing, played at the size it shows (metafiles)
};

// One row per format.
struct PictureFormat {
    PictureKind kind;
    const char* name;  // the format's short name, as the system's loaders know it
    bool (*sniff)(std::span<const std::uint8_t> bytes);
    // Everything of PictureFacts but the kind and the size limits, which ReadPictureFacts
    // applies to every format alike. Placeable metafiles are sized at `pixelsPerInch`.
    PictureFacts (*read)(std::span<const std::uint8_t> bytes, int pixelsPerInch);
    // What is changed in a complete, sized file's bytes before a decoder sees them; may
    // be null.
    void (*prepare)(std::vector<std::uint8_t>& bytes, const PictureFacts& facts);
    SmallerDecoding smaller;
    bool sizedByPlaying;  // a file may carry no size of its own (stored 0 x 0)
};

// The row of `kind`; nullptr for kUnknown.
const PictureFormat* PictureFormatOf(PictureKind kind);

// The kind from the file's first bytes (its extension is not trusted).
PictureKind SniffPictureKind(std::span<const std::uint8_t> bytes);

// The one reading of a file's bytes: sniffed, then read by its format's row. Placeable
// metafiles are sized at `metafilePixelsPerInch` (not sized when it is 0). Data of no
// known kind counts as lying within its headers unless its first byte is 1: the Linux
// metafile loader claims such data and plays it unchecked, and no other format starts so.
PictureFacts ReadPictureFacts(std::span<const std::uint8_t> bytes, int metafilePixelsPerInch = 0);

}  // namespace velnor
