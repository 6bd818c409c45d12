// Reading picture files (BMP, GIF, JPEG, WMF) into surfaces through a small interface,
// so the background and the dialog's thumbnails work the same on every platform. The core
// only uses decoders it is given; each platform half defines MakePictureDecoder
// (picture_decoder_gdkpixbuf.cpp, picture_decoder_win32.cpp) and tests supply fakes.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/surface.h"

namespace velnor {

struct PictureSize {
    int width = 0;
    int height = 0;

    bool operator==(const PictureSize&) const = default;
};

// Pictures beyond these bounds are refused before their pixels are decoded, like damaged
// files: a small file can claim a size that would exhaust memory.
inline constexpr long long kMaxPicturePixels = 100'000'000;
inline constexpr int kMaxPictureSide = 32767;

constexpr bool IsAcceptablePictureSize(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

// One decoder serves one thread at a time (the Windows one initialises COM on the thread
// that creates it). Paths are UTF-8. Failures of any kind (missing, unreadable, damaged,
// not a picture, refused size) give std::nullopt and never a partial picture.
class PictureDecoder {
  public:
    virtual ~PictureDecoder() = default;

    // The picture's size in pixels read from its header, without decoding the pixels.
    virtual std::optional<PictureSize> Probe(const std::string& utf8Path) = 0;

    // The whole picture, opaque (transparent parts over black), first frame of animations,
    // metafiles played at their own size. Refuses sizes outside IsAcceptablePictureSize.
    virtual std::optional<Surface> Decode(const std::string& utf8Path) = 0;
};

// The platform's decoder: gdk-pixbuf on Linux, WIC and GDI metafiles on Windows. Creates
// what the platform needs on the calling thread, so call it on the thread that decodes.
std::unique_ptr<PictureDecoder> MakePictureDecoder();

}  // namespace velnor
