// The background velnor-render composes its frames on: black, the chosen sample picture
// stretched over the screen, or the folder's pictures changed every so many frames by
// the same worker the saver uses.
#pragma once

#include <memory>

#include "engine/background_preparer.h"
#include "engine/surface.h"
#include "settings/saver_settings.h"

namespace velnor::render {

// Frames per picture when no option says otherwise: pictureInterval seconds (at least
// one) at an assumed 60 frames per second.
long long FramesPerPicture(const SaverSettings& settings, long long pictureEveryOption);

class RenderBackground {
  public:
    // With `waitForPictures` a change that is due but not ready yet is waited for, so the
    // frames are the same on every run; without it the change comes at the first frame
    // after it is ready, as in the saver.
    RenderBackground(const SaverSettings& settings, int width, int height,
                     long long framesPerPicture, bool waitForPictures);

    // The background of frame `frame` (numbered from 1). The picture changes at frames
    // framesPerPicture + 1, 2 * framesPerPicture + 1, ...  An empty surface means black.
    const Surface& ForFrame(long long frame);

    // Whether the last ForFrame swapped in a new picture.
    bool changed() const { return changed_; }

  private:
    Surface current_;
    std::unique_ptr<BackgroundPreparer> preparer_;
    long long framesPerPicture_;
    bool wait_;
    bool changeDue_ = false;
    bool changed_ = false;
};

}  // namespace velnor::render
