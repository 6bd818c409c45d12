// One screen's scene: background, composition, presentation and picture changes.
#include "saver/saver_scene.h"

#include "engine/background.h"
#include "settings/picture_scan.h"

namespace velnor {

bool ShowsFolderPictures(const SaverSettings& settings,
                         const SaverScene::PictureSourceFactory& makeSource) {
    if (settings.useSample == 1) return false;
    return !settings.pictures.paths.empty() ||
           (makeSource && !NamesNoFolder(settings.pictureFolder));
}

SaverScene::SaverScene(const SaverScreen& screen, const SaverSettings& settings,
                       double eyeDistanceScale)
    : screen_(screen),
      animation_(settings, screen.screenWidth, screen.screenHeight, screen.seed, eyeDistanceScale),
      frame_(screen.screenWidth, screen.screenHeight),
      pending_(Rect{0, 0, screen.screenWidth, screen.screenHeight}) {}

void SaverScene::StartBackground(const SaverSettings& settings, const Surface* sample,
                                 const BackgroundPreparer::DecoderFactory& makeDecoder,
                                 const PictureSourceFactory& makeSource) {
    // Until a picture is composed on it the background stays empty, which every clear takes
    // as black: no screen-sized black surface is kept.
    if (settings.useSample == 1) {
        if (!sample) return;
        BackgroundPictures pictures(screen_.screenWidth, screen_.screenHeight);
        ShowSamplePicture(pictures, *sample);
        background_ = std::move(pictures.Pic_B);
    } else if (ShowsFolderPictures(settings, makeSource)) {
        PictureFollowing following;
        if (makeSource) following.source = makeSource(settings);
        preparer_ = std::make_unique<BackgroundPreparer>(
            screen_.screenWidth, screen_.screenHeight, settings.pictures, settings.pictureSize,
            makeDecoder, settings.pictureOrder, screen_.seed, std::move(following));
        pictureDue_ = true;  // black until the first picture is ready
    }
}

void SaverScene::Compose() {
    animation_.AdvanceMotion();
    animation_.ComposeFrame(frame_, background_);
    pending_.Add(animation_.changedRects());
    composedNewPicture_ = newPicture_;
    newPicture_ = false;
    composedAny_ = true;
}

void SaverScene::Present(FramePresentations& presented) {
    if (!output_ || pending_.empty()) return;
    const bool whole = pending_.wholePending();
    if (!pending_.PresentTo(*output_)) return;
    ++presented.areas;
    if (whole) ++presented.whole;
}

void SaverScene::TakeDuePicture(bool wait) {
    if (!pictureDue_) return;
    std::optional<PreparedBackground> next =
        wait ? std::optional<PreparedBackground>(preparer_->Take()) : preparer_->TryTake();
    if (!next) return;  // still decoding: tried again after the next frame
    pictureDue_ = false;
    // Nothing readable keeps the current picture; the next change moves on.
    retryDue_ = next->retrySoon;
    if (!next->shown) return;
    background_ = std::move(next->Pic_B);
    animation_.RequestFullRedraw();
    newPicture_ = composedAny_;
}

}  // namespace velnor
