// Keeping the background's list in step with its folder while the saver runs: when to list
// the folder again, and how a new listing joins the round that is under way.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/picture_order.h"
#include "engine/random.h"
#include "settings/saver_settings.h"

namespace velnor {

// When the folder is listed again: at the end of each round and once the folder was seen
// to change, but never sooner than `minGap` after the last listing, nor sooner than
// `costFactor` times what that listing took (at 50, a huge tree or a slow network folder
// costs at most about 2% of a core). A folder being copied into is listed once per gap,
// not once per file.
// Times are in microseconds of one steady clock.
class RescanSchedule {
  public:
    RescanSchedule(std::int64_t minGap, std::int64_t costFactor, std::int64_t now)
        : minGap_(minGap), costFactor_(costFactor), lastEnd_(now) {}

    // Whether to list now; a change seen while the gap runs is kept until it may.
    bool Due(std::int64_t now, bool roundEnds, bool changed);
    // A listing ran from `started` to `ended`.
    void Listed(std::int64_t started, std::int64_t ended);

  private:
    std::int64_t minGap_;
    std::int64_t costFactor_;
    std::int64_t lastEnd_;
    std::int64_t lastCost_ = 0;
    bool changePending_ = false;
};

// Joins a new listing `fresh` to the round under way in `current`, where `pictureIndex`
// pictures of the round were taken, and returns the new pictureIndex: the round goes on
// right after the picture taken last or, when that one is gone, at the first picture still
// to come that `fresh` still has (0 when none is left: a new round starts). `fresh` is put in
// `order`; shuffled, the pictures kept stay in the round's order and the new ones follow them in
// random order, so no picture comes twice in a round. Deleted pictures drop out; new ones come at
// their place in the order, in this round when that place is still ahead, else in the next.
std::int32_t JoinListing(
    const PictureList& current, std::int32_t pictureIndex, PictureList& fresh, PictureOrder order,
    Random& random, const std::function<std::optional<std::int64_t>(const std::string&)>& dateOf);

}  // namespace velnor
