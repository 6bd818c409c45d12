// The portable steps around every platform decoder: before it, the file's bytes are
// checked (kind, size, completeness) and the size to decode is chosen from the size the
// picture is drawn at; after it, the picture is turned upright. The platform decoders
// (gdk-pixbuf, WIC and GDI) only ever see files these steps let through.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/picture_decoder.h"
#include "engine/picture_header.h"

namespace velnor {

struct PictureToDecode {
    std::vector<std::uint8_t> bytes;  // complete, with a GIF reduced to its first frame
    PictureHeader header;
    // The size to decode at, as stored (before turning): the stored size, or for a JPEG
    // that size at jpegDivisor, or for a metafile the size it is drawn at.
    PictureSize decodeSize;
    int jpegDivisor = 1;
    // For a BMP or GIF drawn smaller than it is stored: the size it is drawn at, to which
    // a decoder may shrink it at once (colour on colour, as the composition would) so
    // that only one full-size copy of it ever exists. 0 x 0 otherwise.
    PictureSize shrinkTo;
    // For a picture larger than the screen at its own size (stored upright, not scaled):
    // the part of it that shows, which is all a decoder need keep. Empty otherwise.
    PictureBox keepPart;
};

// Checks `bytes` and plans their decoding; std::nullopt when they must not be decoded.
std::optional<PictureToDecode> PlanDecoding(std::vector<std::uint8_t> bytes,
                                            int metafilePixelsPerInch, const DrawnSizeRule& drawn);

// What the platform decoders share around their own step: Decode is DecodeForDrawing at
// the full size, and memory running out during a decode (an address-space limit, a full
// machine) makes that file unreadable instead of ending the program.
class PlatformPictureDecoder : public PictureDecoder {
  public:
    std::optional<Surface> Decode(const std::string& utf8Path) final;
    std::optional<DecodedPicture> DecodeForDrawing(const std::string& utf8Path,
                                                   const DrawnSizeRule& drawn) final;

  protected:
    virtual std::optional<DecodedPicture> DecodeFile(const std::string& utf8Path,
                                                     const DrawnSizeRule& drawn) = 0;
};

// The decoder's output turned upright, with the picture's whole upright size; std::nullopt
// for an empty or unexpected output.
std::optional<DecodedPicture> FinishDecoding(Surface decoded, const PictureToDecode& plan);

}  // namespace velnor
