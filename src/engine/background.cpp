// Composition of the saver's background pictures on Pic_B.
#include "engine/background.h"

#include <algorithm>

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

struct FitSize {
    float width;
    float height;
};

// The size a picture of `width` x `height` is put on a `screenWidth` x `screenHeight`
// Pic_B at: its own size for 0; whole, as large as fits, for kWholePictureSize; fitted
// otherwise (wide pictures fill the width, upright and square ones the height, and what
// overflows is cut).
FitSize FittedSize(double width, double height, double screenWidth, double screenHeight,
                   std::int16_t pictureSize) {
    if (pictureSize == 0) return {static_cast<float>(width), static_cast<float>(height)};
    if (pictureSize == kWholePictureSize) {
        const double scale = std::min(screenWidth / width, screenHeight / height);
        return {static_cast<float>(width * scale), static_cast<float>(height * scale)};
    }
    if (width > height) {
        return {static_cast<float>(screenWidth), static_cast<float>(height * screenWidth / width)};
    }
    return {static_cast<float>(width * screenHeight / height), static_cast<float>(screenHeight)};
}

// The part of a picture of `size` that shows at its own size, centred on the screen.
PictureBox ShownPart(PictureSize size, int screenWidth, int screenHeight) {
    const int x = WholePixels((screenWidth - static_cast<double>(size.width)) / 2);
    const int y = WholePixels((screenHeight - static_cast<double>(size.height)) / 2);
    const int left = std::max(0, -x), top = std::max(0, -y);
    const int right = std::min(size.width, screenWidth - x);
    const int bottom = std::min(size.height, screenHeight - y);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// Composes `picture`, a picture of `size` (its pixels may be fewer: stretched over the
// whole, or at its own size the `part` of it they are).
void Compose(BackgroundPictures& background, const Surface& picture, PictureSize size,
             PictureBox part, std::int16_t pictureSize) {
    Surface& target = background.Pic_B;
    const double screenWidth = target.width();
    const double screenHeight = target.height();
    background.pictureWidth = static_cast<float>(size.width);
    background.pictureHeight = static_cast<float>(size.height);
    const double width = background.pictureWidth;
    const double height = background.pictureHeight;
    target.Fill(PixelFromRgb(0, 0, 0));
    if (picture.empty() || width <= 0 || height <= 0) return;
    if (pictureSize != 0) {
        const FitSize fit = FittedSize(width, height, screenWidth, screenHeight, pictureSize);
        background.fitWidth = fit.width;
        background.fitHeight = fit.height;
        const double fitWidth = background.fitWidth;
        const double fitHeight = background.fitHeight;
        // The decoded pixels may be fewer than the picture's (decoded at the size drawn):
        // they are stretched over the same place the whole picture would take.
        StretchBlt(target, WholePixels((screenWidth - fitWidth) / 2),
                   WholePixels((screenHeight - fitHeight) / 2), WholePixels(fitWidth),
                   WholePixels(fitHeight), picture, 0, 0, picture.width(), picture.height());
    } else if (!part.empty()) {
        BitBlt(target, WholePixels((screenWidth - width) / 2) + part.left,
               WholePixels((screenHeight - height) / 2) + part.top, picture.width(),
               picture.height(), picture, 0, 0, RasterOp::kCopy);
    } else if (picture.width() == size.width && picture.height() == size.height) {
        BitBlt(target, WholePixels((screenWidth - width) / 2),
               WholePixels((screenHeight - height) / 2), picture.width(), picture.height(), picture,
               0, 0, RasterOp::kCopy);
    } else {
        StretchBlt(target, WholePixels((screenWidth - width) / 2),
                   WholePixels((screenHeight - height) / 2), size.width, size.height, picture, 0, 0,
                   picture.width(), picture.height());
    }
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
    Compose(background, picture, {picture.width(), picture.height()}, {}, pictureSize);
}

void ComposePicture(BackgroundPictures& background, const DecodedPicture& decoded,
                    std::int16_t pictureSize) {
    Compose(background, decoded.pixels, decoded.size, decoded.part, pictureSize);
}

DrawnSize DrawnSizeOnScreen(PictureSize upright, int screenWidth, int screenHeight,
                            std::int16_t pictureSize) {
    if (upright.width <= 0 || upright.height <= 0) return {};
    if (pictureSize == 0) {
        const PictureBox shown = ShownPart(upright, screenWidth, screenHeight);
        if (shown == PictureBox{0, 0, upright.width, upright.height}) return upright;
        return DrawnSize(upright, shown);
    }
    const FitSize fit =
        FittedSize(upright.width, upright.height, screenWidth, screenHeight, pictureSize);
    return PictureSize{std::max(1, WholePixels(fit.width)), std::max(1, WholePixels(fit.height))};
}

bool ShowNextPicture(BackgroundPictures& background, const PictureList& pictures,
                     std::int16_t pictureSize, PictureDecoder& decoder) {
    const int count = static_cast<int>(pictures.paths.size());
    if (count == 0) return false;
    // An index left outside the list (a shorter list than before) starts again at the top.
    if (background.pictureIndex < 0 || background.pictureIndex >= count) {
        background.pictureIndex = 0;
    }
    const std::string& path = pictures.paths[static_cast<std::size_t>(background.pictureIndex)];
    background.pictureIndex += 1;
    // The wrap happens whatever the outcome: a damaged last file must not stop the
    // slide show by leaving the index past the end of the list.
    const bool last = background.pictureIndex >= count;
    const int screenWidth = background.Pic_B.width();
    const int screenHeight = background.Pic_B.height();
    std::optional<DecodedPicture> picture =
        decoder.DecodeForDrawing(path, [&](PictureSize upright) {
            return DrawnSizeOnScreen(upright, screenWidth, screenHeight, pictureSize);
        });
    if (last) background.pictureIndex = 0;
    if (!picture || picture->pixels.empty()) return false;
    ComposePicture(background, *picture, pictureSize);
    return true;
}

}  // namespace velnor
