// What a picture file's first bytes say before any decoder sees it: its kind, its size,
// the JPEG's EXIF orientation and, for a GIF, where its first frame lies. Only the four
// kinds the program lists are ever decoded; every other file is refused here, whatever
// its name says, as is any size beyond the limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/picture_checks.h"
#include "engine/picture_decoder.h"

namespace velnor {

struct PictureHeader {
    PictureKind kind = PictureKind::kUnknown;
    // The stored size in pixels, before the orientation is applied. A metafile without a
    // placeable header has no size here (0 x 0): only playing it tells.
    PictureSize stored;
    int orientation = 1;  // EXIF orientation 1..8 of a JPEG, 1 for everything else
    // Where a GIF's first image descriptor starts (0 for other kinds).
    std::size_t gifFrameAt = 0;

    // The size the picture shows at once turned upright.
    PictureSize Upright() const;
};

// The header of a BMP, GIF, JPEG or WMF file; std::nullopt for any other kind, for
// headers that lie (HeadersLieWithin), for sizes beyond IsAcceptablePictureSize and for
// run-length bitmaps that claim far more pixels than their data could ever paint.
// Metafiles are sized at `metafilePixelsPerInch`.
std::optional<PictureHeader> ReadPictureHeader(std::span<const std::uint8_t> bytes,
                                               int metafilePixelsPerInch);

// The EXIF orientation (1..8) of a JPEG's APP1 segment; 1 when there is none or it
// cannot be read. Bounded: reads only the first IFD of the first EXIF segment.
int JpegOrientation(std::span<const std::uint8_t> bytes);

// The picture turned and mirrored as EXIF orientation `orientation` asks, so that it
// shows upright (orientation 1 or an unknown value gives an unchanged copy).
Surface OrientedUpright(const Surface& picture, int orientation);

// Makes a GIF's first frame the whole picture: its logical screen takes the frame's size
// and the frame moves to the top-left corner. The screen size of a GIF costs memory in
// every decoder although only the frame holds pixels, so the frame bounds what is decoded.
void KeepFirstGifFrameOnly(std::vector<std::uint8_t>& bytes, const PictureHeader& header);

// The scale divisor (1, 2, 4 or 8) at which a JPEG of `stored` size decodes to the
// smallest size still at least `drawn` (given upright; `orientation` says whether the
// two sides swap). 1 when `drawn` is empty.
int JpegScaleDivisor(PictureSize stored, PictureSize drawn, int orientation);

// The size of a picture of `size` decoded at `divisor` (each side rounded up).
PictureSize ScaledDown(PictureSize size, int divisor);

}  // namespace velnor
