// Background pictures of the saver: a sample picture stretched over the screen, or the
// pictures of the chosen folder one after another, composed on the screen-sized surface
// Pic_B (black borders, fitted and centred or centred at their own size).
#pragma once

#include <cstdint>

#include "engine/picture_decoder.h"
#include "engine/surface.h"
#include "settings/saver_settings.h"

namespace velnor {

struct BackgroundPictures {
    BackgroundPictures(int screenWidth, int screenHeight) : Pic_B(screenWidth, screenHeight) {}

    Surface Pic_B;              // the composed background, screen-sized, black at first
    float pictureWidth = 0.0f;  // size of the picture placed last
    float pictureHeight = 0.0f;
    float fitWidth = 0.0f;  // size at which it was put on Pic_B
    float fitHeight = 0.0f;
    // The pictures of the round taken so far: the one taken last is paths[pictureIndex - 1];
    // 0 before the first and after the last of a round.
    std::int32_t pictureIndex = 0;
};

// Stretches `sample` over the whole of Pic_B, ignoring its aspect ratio (colour on colour,
// no blending). An empty sample leaves Pic_B as it was.
void ShowSamplePicture(BackgroundPictures& background, const Surface& sample);

// Advances pictureIndex (wrapping to the first file after the last), decodes that file and
// composes it on Pic_B: black everywhere, then the picture fitted to the screen when
// `pictureSize` is non-zero (wide pictures fill the width, upright and square ones the
// height; cut equally at both ends where they overflow; kWholePictureSize: whole, as large
// as fits) or at its own size, centred.
// A file that cannot be decoded leaves Pic_B and the sizes untouched, so the last good
// picture (or black) stays, and the next call moves on to the following file.
// Returns true when Pic_B was recomposed.
bool ShowNextPicture(BackgroundPictures& background, const PictureList& pictures,
                     std::int16_t pictureSize, PictureDecoder& decoder);

// The composition step of ShowNextPicture for an already decoded picture. A picture
// decoded with fewer pixels than its size is stretched over the place its size takes.
void ComposePicture(BackgroundPictures& background, const Surface& picture,
                    std::int16_t pictureSize);
void ComposePicture(BackgroundPictures& background, const DecodedPicture& picture,
                    std::int16_t pictureSize);

// The size in whole pixels at which ComposePicture draws a picture of `upright` size on a
// screen of the given size: what a decoder needs to decode, and no more.
// At its own size, a picture larger than the screen shows only a part: that part too.
DrawnSize DrawnSizeOnScreen(PictureSize upright, int screenWidth, int screenHeight,
                            std::int16_t pictureSize);

}  // namespace velnor
