// Thumbnail size rule, stretch and size text of the dialog's picture preview.
#include "dialog/thumbnail.h"

#include <cmath>

#include "engine/stretch.h"

namespace velnor {
namespace {

// Nearest integer, ties to even (the default rounding mode); at least one pixel, so a
// very long and thin picture still shows as a line rather than vanishing.
int RoundToEven(float value) {
    const int rounded = static_cast<int>(std::nearbyint(value));
    return rounded > 0 ? rounded : 1;
}

}  // namespace

PictureSize ThumbnailSize(int width, int height, int side) {
    if (width <= 0 || height <= 0 || side <= 0) return {};
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    const auto s = static_cast<float>(side);
    if (w > h) return {side, RoundToEven(s * h / w)};
    return {RoundToEven(s * w / h), side};
}

Surface MakeThumbnail(const Surface& picture, int side) {
    if (picture.empty()) return {};
    const PictureSize size = ThumbnailSize(picture.width(), picture.height(), side);
    Surface thumbnail(size.width, size.height);
    StretchBlt(thumbnail, 0, 0, size.width, size.height, picture, 0, 0, picture.width(),
               picture.height());
    return thumbnail;
}

std::string PictureSizeText(int width, int height) {
    return "Size ： " + std::to_string(width) + " * " + std::to_string(height);
}

}  // namespace velnor
