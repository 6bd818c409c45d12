// Thumbnail size rule, stretch, size text and the previewed picture of the dialog's
// picture preview.
#include "dialog/thumbnail.h"

#include "base/rounding.h"
#include "dialog/control_ids.h"
#include "engine/stretch.h"

namespace velnor {
namespace {

// Nearest integer, ties to even; at least one pixel, so a very long and thin picture still
// shows as a line rather than vanishing. The float quotient widens to double exactly, so
// its ties stay ties.
int AtLeastOnePixel(float value) {
    const int rounded = RoundHalfToEven(static_cast<double>(value)).value_or(0);
    return rounded > 0 ? rounded : 1;
}

// The thumbnail's side at 480 dpi; the decoded picture need not be larger.
constexpr int kLargestThumbnailSide = 500;

}  // namespace

PictureSize ThumbnailSize(int width, int height, int side) {
    if (width <= 0 || height <= 0 || side <= 0) return {};
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    const auto s = static_cast<float>(side);
    if (w > h) return {side, AtLeastOnePixel(s * h / w)};
    return {AtLeastOnePixel(s * w / h), side};
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

bool PreviewedPicture::Read(const std::string& path) {
    if (!decoder_ && makeDecoder_) decoder_ = makeDecoder_();
    if (!decoder_) return false;
    std::optional<DecodedPicture> read = decoder_->DecodeForDrawing(path, [](PictureSize upright) {
        return ThumbnailSize(upright.width, upright.height, kLargestThumbnailSide);
    });
    if (!read) return false;
    picture_ = std::move(read->pixels);
    size_ = read->size;
    return true;
}

std::optional<PixelBox> PreviewedPicture::FitThumbnail(int dpi) {
    if (picture_.empty()) return std::nullopt;
    const PixelBox place = ControlBox(*FindControl(control_id::kThumbnailBox), dpi);
    thumbnail_ = MakeThumbnail(picture_, place.width);
    return PixelBox{place.left, place.top, thumbnail_.width(), thumbnail_.height()};
}

}  // namespace velnor
