// One screen's scene of the running saver: the animation, the frame it is composed on,
// the background every frame's clear restores, the folder pictures' worker with the
// picture that is due, and the change still to be presented on the scene's output.
#pragma once

#include <functional>
#include <memory>

#include "engine/animation.h"
#include "engine/background_preparer.h"
#include "engine/surface.h"
#include "saver/frame_statistics.h"
#include "saver/monitor_plan.h"
#include "saver/presentation_plan.h"
#include "settings/picture_source.h"
#include "settings/saver_settings.h"

namespace velnor {

class SaverScene {
  public:
    // `eyeDistanceScale`: see Animation (a ball shrunk to fit keeps its perspective).
    SaverScene(const SaverScreen& screen, const SaverSettings& settings,
               double eyeDistanceScale = 1.0);
    SaverScene(const SaverScene&) = delete;
    SaverScene& operator=(const SaverScene&) = delete;

    // Where the scene's frames go; set once, before the first frame.
    void SetOutput(std::unique_ptr<FrameOutput> output) { output_ = std::move(output); }

    // Lists the chosen folder again while the saver runs; empty: the list stays as loaded.
    using PictureSourceFactory =
        std::function<std::unique_ptr<PictureSource>(const SaverSettings&)>;

    // The first background: `sample` stretched over the screen when useSample is 1, else
    // the folder's first picture, prepared by a worker and due at once, else black. The
    // worker runs for a folder that had no pictures too when `makeSource` can list it again.
    void StartBackground(const SaverSettings& settings, const Surface* sample,
                         const BackgroundPreparer::DecoderFactory& makeDecoder,
                         const PictureSourceFactory& makeSource = {});

    // One frame's motion step and composition; its change is kept pending.
    void Compose();
    // Presents what is pending on the output and counts it in `presented`.
    void Present(FramePresentations& presented);
    // The next presentation shows the whole frame.
    void PresentWholeNext() { pending_.AddWhole(); }
    // After the frame's wait: the tilt step.
    void AdvanceTilt() { animation_.AdvanceTilt(); }

    // The picture timer reached its interval: the next folder picture is due.
    void RequestNextPicture() { pictureDue_ = preparer_ != nullptr; }
    // A second of the picture timer passed: a change that showed nothing though some file
    // may still be readable is tried again now rather than a whole interval later.
    void RetryFailedPicture() {
        if (retryDue_) pictureDue_ = true;
        retryDue_ = false;
    }
    // Swaps in the due picture when the worker has it ready; with `wait`, waits for it.
    void TakeDuePicture(bool wait);
    bool pictureDue() const { return pictureDue_; }

    const SaverScreen& screen() const { return screen_; }
    const Animation& animation() const { return animation_; }
    const Surface& frame() const { return frame_; }
    const Surface& background() const { return background_; }
    // Whether the last Compose was the first on a picture taken after the first frame.
    bool composedNewPicture() const { return composedNewPicture_; }

  private:
    const SaverScreen screen_;
    Animation animation_;
    Surface frame_;
    Surface background_;  // Pic_B
    std::unique_ptr<BackgroundPreparer> preparer_;
    bool pictureDue_ = false;
    bool retryDue_ = false;
    bool newPicture_ = false;
    bool composedNewPicture_ = false;
    bool composedAny_ = false;
    PendingPresentation pending_;
    std::unique_ptr<FrameOutput> output_;
};

// Whether the background is the folder's pictures, with a worker and the picture timer:
// the folder background is chosen and it had pictures at the load, or `makeSource` can list
// it again as the saver runs (so a folder empty at the start still shows what comes).
bool ShowsFolderPictures(const SaverSettings& settings,
                         const SaverScene::PictureSourceFactory& makeSource);

}  // namespace velnor
