// Background of the headless renderer: the sample pictures are read from the source
// tree's resources, the folder's pictures decoded and composed off the frame loop.
#include "render_background.h"

#include <algorithm>
#include <string>

#include "engine/background.h"
#include "engine/picture_decoder.h"

namespace velnor::render {
namespace {

constexpr long long kAssumedFramesPerSecond = 60;

Surface SampleBackground(int sampleChoice, int width, int height) {
    if (sampleChoice != 0 && sampleChoice != 1) return Surface();
    const std::string path =
        std::string(VELNOR_RESOURCE_DIR) + (sampleChoice == 0 ? "/sample1.jpg" : "/sample2.jpg");
    const std::optional<Surface> sample = MakePictureDecoder()->Decode(path);
    if (!sample) return Surface();
    BackgroundPictures background(width, height);
    ShowSamplePicture(background, *sample);
    return std::move(background.Pic_B);
}

}  // namespace

long long FramesPerPicture(const SaverSettings& settings, long long pictureEveryOption) {
    if (pictureEveryOption > 0) return pictureEveryOption;
    return std::max<long long>(1, settings.pictureInterval) * kAssumedFramesPerSecond;
}

RenderBackground::RenderBackground(const SaverSettings& settings, int width, int height,
                                   long long framesPerPicture, bool waitForPictures)
    : framesPerPicture_(std::max(1LL, framesPerPicture)), wait_(waitForPictures) {
    if (settings.useSample == 1) {
        current_ = SampleBackground(settings.sampleChoice, width, height);
    } else if (settings.pictures.pictureCount > 0) {
        preparer_ = std::make_unique<BackgroundPreparer>(width, height, settings.pictures,
                                                         settings.pictureSize, MakePictureDecoder);
        PreparedBackground first = preparer_->Take();
        if (first.shown) current_ = std::move(first.Pic_B);
    }
}

const Surface& RenderBackground::ForFrame(long long frame) {
    changed_ = false;
    if (!preparer_) return current_;
    if (frame > 1 && (frame - 1) % framesPerPicture_ == 0) changeDue_ = true;
    if (changeDue_) {
        std::optional<PreparedBackground> next =
            wait_ ? std::optional(preparer_->Take()) : preparer_->TryTake();
        if (next) {
            changeDue_ = false;
            if (next->shown) {
                current_ = std::move(next->Pic_B);
                changed_ = true;
            }
        }
    }
    return current_;
}

}  // namespace velnor::render
