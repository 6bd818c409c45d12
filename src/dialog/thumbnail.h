// The picture preview of the settings dialog: the thumbnail's size (the picture's
// proportions in a square, its longer side filling it), the stretched copy itself, the
// size text shown under it and the listed picture it is made from. Portable, so the rules
// are tested on every platform.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "dialog/dialog_layout.h"
#include "engine/picture_decoder.h"
#include "engine/surface.h"

namespace velnor {

// The thumbnail size of a w x h picture in a `side` x `side` square (100 at 96 dpi):
// the longer side becomes `side`, the other one side * short / long, computed in
// single precision and rounded to the nearest integer with ties to even (at least 1). A square
// picture fills the square. Non-positive sizes give 0 x 0.
PictureSize ThumbnailSize(int width, int height, int side = 100);

// The whole picture stretched in the colour-on-colour mode to ThumbnailSize(picture).
// An empty picture gives an empty surface.
Surface MakeThumbnail(const Surface& picture, int side = 100);

// "Size ： 640 * 480": the picture's width and height in shortest decimal form.
std::string PictureSizeText(int width, int height);

// The listed picture the dialog previews and its thumbnail box. The decoder is made
// on the first read, so a dialog that never previews a picture never makes one.
class PreviewedPicture {
  public:
    using DecoderMaker = std::function<std::unique_ptr<PictureDecoder>()>;
    explicit PreviewedPicture(DecoderMaker makeDecoder) : makeDecoder_(std::move(makeDecoder)) {}

    // Reads `path` as the picture shown; false, with the picture shown before kept, when
    // it cannot be read as a picture (or no decoder can be made).
    // The picture is decoded only as large as the biggest thumbnail needs (a JPEG at a
    // reduced scale); size() is the whole picture's upright size all the same.
    bool Read(const std::string& path);
    const Surface& picture() const { return picture_; }
    PictureSize size() const { return size_; }

    // Remakes the thumbnail for `dpi` and gives the place the thumbnail box takes: its corner
    // at the box's layout place, the thumbnail's size, whose longer side is the box's layout
    // width at `dpi` (100 pixels at 96 dpi). Nothing while no picture has been read.
    std::optional<PixelBox> FitThumbnail(int dpi);
    const Surface& thumbnail() const { return thumbnail_; }

  private:
    DecoderMaker makeDecoder_;
    std::unique_ptr<PictureDecoder> decoder_;
    Surface picture_;    // the last picture read
    PictureSize size_;   // its upright size
    Surface thumbnail_;  // what the thumbnail box shows of it
};

}  // namespace velnor
