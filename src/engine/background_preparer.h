// Prepares the folder pictures of the background on a worker thread, so that decoding
// and composing a large picture never stalls the frame loop. The frame loop takes a
// finished background between two frames, without waiting.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/background.h"
#include "engine/picture_decoder.h"
#include "settings/saver_settings.h"

namespace velnor {

// One change of the background picture, as ShowNextPicture would make it.
struct PreparedBackground {
    bool shown = false;  // false: the file could not be read; keep the current background
    Surface Pic_B;       // the composed background when shown, empty otherwise
    std::int32_t pictureIndex = 0;  // pictureIndex after the change (0 after the last file)
    float pictureWidth = 0.0f;
    float pictureHeight = 0.0f;
    float fitWidth = 0.0f;
    float fitHeight = 0.0f;
};

// Owns a worker thread that always keeps the next change ready: it prepares the first
// file at once and, each time a change is taken, starts on the following file. So at a
// picture tick the change is normally waiting and is swapped in at once.
//
// Typical use in the saver window:
//   load:   BackgroundPreparer preparer(w, h, settings.pictures, settings.pictureSize,
//                                       MakePictureDecoder);
//           PreparedBackground first = preparer.Take();      // waits once, at load
//   tick:   changeDue = true;
//   frame:  if (changeDue) if (auto next = preparer.TryTake()) { changeDue = false;
//               if (next->shown) swap next->Pic_B into the background; }
class BackgroundPreparer {
  public:
    using DecoderFactory = std::function<std::unique_ptr<PictureDecoder>()>;

    // Copies the list; the decoder is made by `makeDecoder` on the worker thread (the
    // platform's MakePictureDecoder in the program, fakes in tests).
    BackgroundPreparer(int screenWidth, int screenHeight, PictureList pictures,
                       std::int16_t pictureSize, DecoderFactory makeDecoder);
    // Stops the worker and joins it; a decode in progress is finished first and its
    // result dropped.
    ~BackgroundPreparer();

    BackgroundPreparer(const BackgroundPreparer&) = delete;
    BackgroundPreparer& operator=(const BackgroundPreparer&) = delete;

    // The next change if it is ready, otherwise nothing; never waits.
    std::optional<PreparedBackground> TryTake();
    // The next change, waiting for it when it is not ready yet.
    PreparedBackground Take();

  private:
    void Run(DecoderFactory makeDecoder);
    PreparedBackground TakeLocked(std::unique_lock<std::mutex>& lock);

    const PictureList pictures_;
    const std::int16_t pictureSize_;
    BackgroundPictures state_;  // touched by the worker only

    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<PreparedBackground> ready_;
    bool stopping_ = false;
    std::thread worker_;  // last member: starts after everything it uses exists
};

}  // namespace velnor
