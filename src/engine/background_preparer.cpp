// The worker thread that keeps the next background picture composed and ready.
#include "engine/background_preparer.h"

#include <utility>

namespace velnor {
namespace {

// Stands in when the platform gives no decoder: every file then counts as unreadable.
class NoPictureDecoder final : public PictureDecoder {
  public:
    std::optional<PictureSize> Probe(const std::string&) override { return std::nullopt; }
    std::optional<Surface> Decode(const std::string&) override { return std::nullopt; }
};

}  // namespace

BackgroundPreparer::BackgroundPreparer(int screenWidth, int screenHeight, PictureList pictures,
                                       std::int16_t pictureSize, DecoderFactory makeDecoder)
    : pictures_(std::move(pictures)),
      pictureSize_(pictureSize),
      state_(screenWidth, screenHeight),
      worker_([this, factory = std::move(makeDecoder)]() mutable { Run(std::move(factory)); }) {}

BackgroundPreparer::~BackgroundPreparer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

std::optional<PreparedBackground> BackgroundPreparer::TryTake() {
    std::unique_lock lock(mutex_);
    if (!ready_) return std::nullopt;
    return TakeLocked(lock);
}

PreparedBackground BackgroundPreparer::Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return ready_.has_value(); });
    return TakeLocked(lock);
}

PreparedBackground BackgroundPreparer::TakeLocked(std::unique_lock<std::mutex>& lock) {
    PreparedBackground taken = std::move(*ready_);
    ready_.reset();
    lock.unlock();
    changed_.notify_all();  // the worker starts on the following file
    return taken;
}

void BackgroundPreparer::Run(DecoderFactory makeDecoder) {
    std::unique_ptr<PictureDecoder> decoder = makeDecoder ? makeDecoder() : nullptr;
    if (!decoder) decoder = std::make_unique<NoPictureDecoder>();
    const int width = state_.Pic_B.width();
    const int height = state_.Pic_B.height();
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !ready_.has_value(); });
            if (stopping_) return;
        }
        PreparedBackground next;
        next.shown = ShowNextPicture(state_, pictures_, pictureSize_, *decoder);
        next.pictureIndex = state_.pictureIndex;
        next.pictureWidth = state_.pictureWidth;
        next.pictureHeight = state_.pictureHeight;
        next.fitWidth = state_.fitWidth;
        next.fitHeight = state_.fitHeight;
        if (next.shown) {
            next.Pic_B = std::exchange(state_.Pic_B, Surface(width, height));
        }
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
            ready_ = std::move(next);
        }
        changed_.notify_all();
    }
}

}  // namespace velnor
