// The worker thread that keeps the next background picture composed and ready, and the
// state it shares with the preparer that started it.
#include "engine/background_preparer.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>

#include "engine/picture_following.h"
#include "engine/picture_order.h"

namespace velnor {
namespace {

// Stands in when the platform gives no decoder: every file then counts as unreadable.
class NoPictureDecoder final : public PictureDecoder {
  public:
    std::optional<PictureSize> Probe(const std::string&) override { return std::nullopt; }
    std::optional<Surface> Decode(const std::string&) override { return std::nullopt; }
};

}  // namespace

// Everything the worker touches; it lives as long as the preparer or the worker, whichever
// ends last.
struct BackgroundPreparer::Shared {
    Shared(int screenWidth, int screenHeight, PictureList list, std::int16_t size,
           std::int16_t pictureOrder, std::uint64_t seed, PictureFollowing follow)
        : pictures(std::move(list)),
          pictureSize(size),
          order(static_cast<PictureOrder>(pictureOrder)),
          random(seed),
          source(std::move(follow.source)),
          rescans(follow.minRescanGap.count(), follow.listingCostFactor, Now()),
          state(screenWidth, screenHeight) {}

    void Run(const DecoderFactory& makeDecoder);
    PreparedBackground TakeLocked(std::unique_lock<std::mutex>& lock);
    // Tries files until one is shown or kTriesPerChange were tried.
    PreparedBackground PrepareChange(PictureDecoder& decoder);

    int Count() const { return static_cast<int>(pictures.paths.size()); }
    bool RoundStarts() const { return state.pictureIndex <= 0 || state.pictureIndex >= Count(); }
    // Lists the folder again when a round ends or it changed, as the schedule allows.
    void FollowFolder();
    // Puts the list in name or date order (any other order leaves it as it is).
    void SortList();
    // Sorts the list before the first picture or shuffles it anew before each round.
    void OrderRound();

    static std::int64_t Now() {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    PictureList pictures;  // touched by the worker only, in the order shown
    const std::int16_t pictureSize;
    const PictureOrder order;
    Random random;
    bool sorted = false;    // SortList ran on the list as it is
    std::string lastTried;  // the file tried last, which a new shuffled round does not open with
    int failuresInARow = 0;
    std::unique_ptr<PictureSource> source;  // touched by the worker only
    RescanSchedule rescans;
    BackgroundPictures state;  // touched by the worker only

    std::mutex mutex;
    std::condition_variable changed;
    std::optional<PreparedBackground> ready;
    bool stopping = false;
    bool decoding = false;  // the worker is inside a decode, which may take long or hang
};

void BackgroundPreparer::Shared::FollowFolder() {
    if (!source) return;
    const bool roundEnds = RoundStarts();
    const std::int64_t started = Now();
    if (!rescans.Due(started, roundEnds, source->TakeChange())) return;
    PictureList fresh = source->List();
    if (roundEnds) {
        pictures = std::move(fresh);
        state.pictureIndex = 0;
        SortList();  // within the listing's time: a sort by date reads every file
    } else {
        state.pictureIndex =
            JoinListing(pictures, state.pictureIndex, fresh, order, random, PictureDate);
        pictures = std::move(fresh);
    }
    failuresInARow = 0;
    rescans.Listed(started, Now());
}

void BackgroundPreparer::Shared::SortList() {
    if (order == PictureOrder::kName) {
        SortPicturesByName(pictures);
    } else if (order == PictureOrder::kDate) {
        SortPicturesByDate(pictures, PictureDate);
    }
    sorted = true;
}

void BackgroundPreparer::Shared::OrderRound() {
    if (order == PictureOrder::kShuffled && RoundStarts()) {
        ShufflePictures(pictures, random, lastTried);
    } else if (!sorted) {
        SortList();
    }
}

BackgroundPreparer::BackgroundPreparer(int screenWidth, int screenHeight, PictureList pictures,
                                       std::int16_t pictureSize, DecoderFactory makeDecoder,
                                       std::int16_t order, std::uint64_t seed,
                                       PictureFollowing following)
    : shared_(std::make_shared<Shared>(screenWidth, screenHeight, std::move(pictures), pictureSize,
                                       order, seed, std::move(following))),
      worker_([shared = shared_, factory = std::move(makeDecoder)] { shared->Run(factory); }) {}

BackgroundPreparer::~BackgroundPreparer() {
    bool decoding = false;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
        decoding = shared_->decoding;
    }
    shared_->changed.notify_all();
    // A worker outside a decode sees the stop at its next check and returns at once; one
    // inside a decode is left to end on its own when the decode returns.
    if (decoding) {
        worker_.detach();
    } else {
        worker_.join();
    }
}

std::optional<PreparedBackground> BackgroundPreparer::TryTake() {
    std::unique_lock lock(shared_->mutex);
    if (!shared_->ready) return std::nullopt;
    return shared_->TakeLocked(lock);
}

PreparedBackground BackgroundPreparer::Take() {
    std::unique_lock lock(shared_->mutex);
    shared_->changed.wait(lock, [this] { return shared_->ready.has_value(); });
    return shared_->TakeLocked(lock);
}

PreparedBackground BackgroundPreparer::Shared::TakeLocked(std::unique_lock<std::mutex>& lock) {
    PreparedBackground taken = std::move(*ready);
    ready.reset();
    lock.unlock();
    changed.notify_all();  // the worker starts on the following file
    return taken;
}

void BackgroundPreparer::Shared::Run(const DecoderFactory& makeDecoder) {
    std::unique_ptr<PictureDecoder> decoder = makeDecoder ? makeDecoder() : nullptr;
    if (!decoder) decoder = std::make_unique<NoPictureDecoder>();
    for (;;) {
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] { return stopping || !ready.has_value(); });
            if (stopping) return;
            decoding = true;
        }
        PreparedBackground next = PrepareChange(*decoder);
        {
            std::lock_guard lock(mutex);
            decoding = false;
            if (stopping) return;
            ready = std::move(next);
        }
        changed.notify_all();
    }
}

PreparedBackground BackgroundPreparer::Shared::PrepareChange(PictureDecoder& decoder) {
    PreparedBackground next;
    for (int tries = 0; tries < kTriesPerChange && !next.shown; ++tries) {
        {
            std::lock_guard lock(mutex);
            if (stopping) break;
        }
        FollowFolder();
        OrderRound();
        const int count = Count();
        if (count <= 0) break;
        next.shown = ShowNextPicture(state, pictures, pictureSize, decoder);
        // The index counts the pictures taken this round; 0 after the round's last one.
        lastTried = pictures.paths[static_cast<std::size_t>(
            state.pictureIndex == 0 ? count - 1 : state.pictureIndex - 1)];
        failuresInARow = next.shown ? 0 : failuresInARow + 1;
    }
    next.retrySoon = !next.shown && failuresInARow > 0 && failuresInARow < Count();
    next.pictureIndex = state.pictureIndex;
    next.pictureWidth = state.pictureWidth;
    next.pictureHeight = state.pictureHeight;
    next.fitWidth = state.fitWidth;
    next.fitHeight = state.fitHeight;
    if (next.shown) {
        next.Pic_B = std::exchange(state.Pic_B, Surface(state.Pic_B.width(), state.Pic_B.height()));
    }
    return next;
}

}  // namespace velnor
