// The picture preview of the settings dialog: the thumbnail's size (the picture's
// proportions in a square, its longer side filling it), the stretched copy itself and
// the size text shown under it. Portable, so the rules are tested on every platform.
#pragma once

#include <string>

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

}  // namespace velnor
