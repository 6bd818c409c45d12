// Composition of the saver's background pictures on Pic_B.
#include "engine/background.h"

#include "base/rounding.h"
#include "engine/blit.h"
#include "engine/stretch.h"

namespace velnor {
namespace {

// Coordinates and sizes in whole pixels, rounded by the program's one rule. They are
// bounded by the screen and picture sizes, so they always fit.
int WholePixels(double value) {
    return RoundHalfToEven(value).value_or(0);
}

}  // namespace

void ShowSamplePicture(BackgroundPictures& background, const Surface& sample) {
    if (sample.empty()) return;
    background.pictureWidth = static_cast<float>(sample.width());
    background.pictureHeight = static_cast<float>(sample.height());
    background.fitWidth = static_cast<float>(background.Pic_B.width());
    background.fitHeight = static_cast<float>(background.Pic_B.height());
    StretchBlt(background.Pic_B, 0, 0, WholePixels(background.fitWidth),
               WholePixels(background.fitHeight), sample, 0, 0,
               WholePixels(background.pictureWidth), WholePixels(background.pictureHeight));
}

void ComposePicture(BackgroundPictures& background, const Surface& picture,
                    std::int16_t pictureSize) {
    Surface& target = background.Pic_B;
    const double screenWidth = target.width();
    const double screenHeight = target.height();
    background.pictureWidth = static_cast<float>(picture.width());
    background.pictureHeight = static_cast<float>(picture.height());
    const double width = background.pictureWidth;
    const double height = background.pictureHeight;
    target.Fill(PixelFromRgb(0, 0, 0));
    if (picture.empty()) return;
    if (pictureSize != 0) {
        if (width > height) {
            background.fitWidth = static_cast<float>(screenWidth);
            background.fitHeight = static_cast<float>(height * screenWidth / width);
        } else {
            background.fitWidth = static_cast<float>(width * screenHeight / height);
            background.fitHeight = static_cast<float>(screenHeight);
        }
        const double fitWidth = background.fitWidth;
        const double fitHeight = background.fitHeight;
        StretchBlt(target, WholePixels((screenWidth - fitWidth) / 2),
                   WholePixels((screenHeight - fitHeight) / 2), WholePixels(fitWidth),
                   WholePixels(fitHeight), picture, 0, 0, picture.width(), picture.height());
    } else {
        BitBlt(target, WholePixels((screenWidth - width) / 2),
               WholePixels((screenHeight - height) / 2), picture.width(), picture.height(), picture,
               0, 0, RasterOp::kCopy);
    }
}

bool ShowNextPicture(BackgroundPictures& background, const PictureList& pictures,
                     std::int16_t pictureSize, PictureDecoder& decoder) {
    const int count =
        std::min<int>(pictures.pictureCount, static_cast<int>(pictures.picturePaths.size()) - 1);
    if (count <= 0) return false;
    // An index left outside the list (a shorter list than before) starts again at the top.
    if (background.pictureIndex < 0 || background.pictureIndex >= count) {
        background.pictureIndex = 0;
    }
    background.pictureIndex += 1;
    const std::string& path =
        pictures.picturePaths[static_cast<std::size_t>(background.pictureIndex)];
    // The wrap happens whatever the outcome: a damaged last file must not stop the
    // slide show by leaving the index past the end of the list.
    const bool last = background.pictureIndex >= count;
    std::optional<Surface> picture = decoder.Decode(path);
    if (last) background.pictureIndex = 0;
    if (!picture || picture->empty()) return false;
    ComposePicture(background, *picture, pictureSize);
    return true;
}

}  // namespace velnor
