// What a picture file's headers say before any decoder sees it: its kind, its size, the
// JPEG's EXIF orientation and, for a GIF, where its first frame lies (all from the one
// reading of the file, ReadPictureFacts); then the turn upright and the JPEG scale choice.
// Only the formats of the table are ever decoded; every other file is refused, whatever
// its name says, as is any size beyond the limits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "engine/picture_checks.h"
#include "engine/picture_decoder.h"

namespace velnor {

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

// The scale divisor (1, 2, 4 or 8) at which a JPEG of `stored` size decodes to the
// smallest size still at least `drawn` (given upright; `orientation` says whether the
// two sides swap). 1 when `drawn` is empty.
int JpegScaleDivisor(PictureSize stored, PictureSize drawn, int orientation);

// The size of a picture of `size` decoded at `divisor` (each side rounded up).
PictureSize ScaledDown(PictureSize size, int divisor);

}  // namespace velnor
