// The table of picture formats, the sniffing of a file's kind and the one reading of its
// bytes that applies the size limits to every format alike.
#include "engine/picture_format.h"

#include <array>

namespace velnor {

// Each row lives in its format's file.
extern const PictureFormat kBmpFormat;
extern const PictureFormat kGifFormat;
extern const PictureFormat kJpegFormat;
extern const PictureFormat kMetafileFormat;
extern const PictureFormat kPngFormat;

namespace {

// No two rows' sniffs accept the same bytes: the first bytes of the formats differ.
constexpr std::array kFormats{&kBmpFormat, &kGifFormat, &kJpegFormat, &kMetafileFormat,
                              &kPngFormat};

}  // namespace

const PictureFormat* PictureFormatOf(PictureKind kind) {
    for (const PictureFormat* format : kFormats) {
        if (format->kind == kind) return format;
    }
    return nullptr;
}

PictureKind SniffPictureKind(std::span<const std::uint8_t> bytes) {
    for (const PictureFormat* format : kFormats) {
        if (format->sniff(bytes)) return format->kind;
    }
    return PictureKind::kUnknown;
}

PictureFacts ReadPictureFacts(std::span<const std::uint8_t> bytes, int metafilePixelsPerInch) {
    const PictureFormat* format = PictureFormatOf(SniffPictureKind(bytes));
    if (!format) {
        PictureFacts facts;
        facts.headersLieWithin = bytes.empty() || bytes[0] != 1;
        facts.complete = facts.headersLieWithin;
        return facts;
    }
    PictureFacts facts = format->read(bytes, metafilePixelsPerInch);
    facts.header.kind = format->kind;
    facts.complete = facts.complete && facts.headersLieWithin;
    facts.endMarkerMissing = facts.endMarkerMissing && facts.complete;
    const PictureSize size = facts.header.stored;
    const bool playedForSize = format->sizedByPlaying && size == PictureSize{};
    facts.sized = facts.sized && facts.headersLieWithin &&
                  (playedForSize || IsAcceptablePictureSize(size.width, size.height));
    if (!facts.sized) facts.header.stored = {};
    return facts;
}

}  // namespace velnor
