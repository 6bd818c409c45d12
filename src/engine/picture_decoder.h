// Reading picture files (BMP, GIF, JPEG, WMF) into surfaces through a small interface,
// so the background and the dialog's thumbnails work the same on every platform. The core
// only uses decoders it is given; each platform half defines MakePictureDecoder
// (picture_decoder_gdkpixbuf.cpp, picture_decoder_win32.cpp) and tests supply fakes.
#pragma once

#include <functional>
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

// A rectangle of a picture, in its pixels.
struct PictureBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PictureBox&) const = default;
};

// Pictures beyond these bounds are refused before their pixels are decoded, like damaged
// files: a small file can claim a size that would exhaust memory.
inline constexpr long long kMaxPicturePixels = 100'000'000;
inline constexpr int kMaxPictureSide = 32767;

constexpr bool IsAcceptablePictureSize(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

// How large a picture is drawn: its whole size there (0 x 0: its own size) and, when only
// part of it shows (a picture larger than the screen at its own size), that part, in
// pixels of the drawn picture.
struct DrawnSize {
    DrawnSize() = default;
    DrawnSize(PictureSize whole) : size(whole) {}  // NOLINT: a size alone shows whole
    DrawnSize(PictureSize whole, PictureBox part) : size(whole), shown(part) {}

    PictureSize size;
    PictureBox shown;  // empty: all of it shows
};

// The drawn size of a picture of the given upright size.
using DrawnSizeRule = std::function<DrawnSize(PictureSize upright)>;

// A picture turned upright, and its size. `pixels` may be fewer than `size` where the
// decoder could make it so without losing what is drawn: a JPEG decoded at a reduced
// scale, a metafile played at the size it is drawn at, stretched over the whole picture;
// or, when `part` is not empty, only that part of the picture at its own size.
struct DecodedPicture {
    Surface pixels;
    PictureSize size;
    PictureBox part;
};

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

    // The picture for drawing at the size `drawn` gives for it (every pixel when `drawn`
    // is empty). Decoders that cannot decode smaller give the whole picture.
    virtual std::optional<DecodedPicture> DecodeForDrawing(const std::string& utf8Path,
                                                           const DrawnSizeRule& drawn) {
        (void)drawn;
        std::optional<Surface> whole = Decode(utf8Path);
        if (!whole) return std::nullopt;
        const PictureSize size{whole->width(), whole->height()};
        return DecodedPicture{std::move(*whole), size, {}};
    }
};

// The platform's decoder: gdk-pixbuf on Linux, WIC and GDI metafiles on Windows. Creates
// what the platform needs on the calling thread, so call it on the thread that decodes.
std::unique_ptr<PictureDecoder> MakePictureDecoder();

// The same, for a thread that only prepares pictures in the background: that thread is
// also set below normal priority, so a long decode never takes the processor from the
// frame loop and the animation keeps its pace while a large picture decodes.
std::unique_ptr<PictureDecoder> MakeBackgroundPictureDecoder();

}  // namespace velnor
