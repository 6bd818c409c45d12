// Prepares the folder pictures of the background on a worker thread, so that decoding
// and composing a large picture never stalls the frame loop. The frame loop takes a
// finished background between two frames, without waiting.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "engine/background.h"
#include "engine/picture_decoder.h"
#include "settings/picture_source.h"
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
    // Nothing could be shown, though some file of the list may still be readable: worth
    // asking again at the next second rather than after a whole interval.
    bool retrySoon = false;
};

// Keeps the list in step with the folder while the saver runs: `source` lists it again at
// the end of each round and after it reported a change, as RescanSchedule allows with
// `minRescanGap` and `listingCostFactor`. Without a source the list stays as it was given.
struct PictureFollowing {
    std::unique_ptr<PictureSource> source;
    std::chrono::microseconds minRescanGap{2'000'000};
    std::int64_t listingCostFactor = 50;
};

// Owns a worker thread that always keeps the next change ready: it prepares the first
// file at once and, each time a change is taken, starts on the following file. So at a
// picture tick the change is normally waiting and is swapped in at once. A file that is
// gone or cannot be read is passed over at once: up to kTriesPerChange files are tried
// for one change.
//
// Only Take waits for the worker: a decode may hang (a file on a dead network mount) or
// take long, and ending the program or rebuilding a scene must not wait for it.
// The worker owns a share of everything it touches, so a preparer destroyed while it is
// busy leaves it behind to finish (or never) on its own.
//
// Typical use in the saver window:
//   load:   BackgroundPreparer preparer(w, h, settings.pictures, settings.pictureSize,
//                                       MakeBackgroundPictureDecoder);
//           first = preparer.TryTake();   // polled between events for a short while
//   tick:   changeDue = true;
//   frame:  if (changeDue) if (auto next = preparer.TryTake()) { changeDue = false;
//               if (next->shown) swap next->Pic_B into the background; }
class BackgroundPreparer {
  public:
    using DecoderFactory = std::function<std::unique_ptr<PictureDecoder>()>;
    static constexpr int kTriesPerChange = 16;

    // Copies the list; the decoder is made by `makeDecoder` on the worker thread (the
    // platform's MakeBackgroundPictureDecoder in the programs, fakes in tests).
    // `order` is the pictures' order (PictureOrder); a shuffle draws from `seed`.
    BackgroundPreparer(int screenWidth, int screenHeight, PictureList pictures,
                       std::int16_t pictureSize, DecoderFactory makeDecoder, std::int16_t order = 0,
                       std::uint64_t seed = 0, PictureFollowing following = {});
    // Stops the worker without waiting for a decode: an idle worker is joined (it returns
    // at once), one inside a decode is detached (its result is dropped and it starts
    // nothing more).
    ~BackgroundPreparer();

    BackgroundPreparer(const BackgroundPreparer&) = delete;
    BackgroundPreparer& operator=(const BackgroundPreparer&) = delete;

    // The next change if it is ready, otherwise nothing; never waits.
    std::optional<PreparedBackground> TryTake();
    // The next change, waiting for it as long as it takes (for off-screen runs that must
    // show every picture; the programs poll TryTake).
    PreparedBackground Take();

  private:
    struct Shared;

    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

}  // namespace velnor
