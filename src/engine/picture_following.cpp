#include "engine/picture_following.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velnor {
namespace {

// The round's order for the pictures `fresh` keeps, then its new ones shuffled.
void KeepShuffledRound(const std::vector<std::string>& round, PictureList& fresh, Random& random) {
    const std::unordered_set<std::string> freshPaths(fresh.paths.begin(), fresh.paths.end());
    const std::unordered_set<std::string> roundPaths(round.begin(), round.end());
    std::vector<std::string> kept;
    for (const std::string& path : round) {
        if (freshPaths.contains(path)) kept.push_back(path);
    }
    PictureList added;
    for (const std::string& path : fresh.paths) {
        if (!roundPaths.contains(path)) added.paths.push_back(path);
    }
    ShufflePictures(added, random, "");
    kept.insert(kept.end(), std::make_move_iterator(added.paths.begin()),
                std::make_move_iterator(added.paths.end()));
    fresh.paths = std::move(kept);
}

}  // namespace

bool RescanSchedule::Due(std::int64_t now, bool roundEnds, bool changed) {
    changePending_ = changePending_ || changed;
    if (!roundEnds && !changePending_) return false;
    return now - lastEnd_ >= std::max(minGap_, costFactor_ * lastCost_);
}

void RescanSchedule::Listed(std::int64_t started, std::int64_t ended) {
    lastEnd_ = ended;
    lastCost_ = std::max<std::int64_t>(ended - started, 0);
    changePending_ = false;
}

std::int32_t JoinListing(
    const PictureList& current, std::int32_t pictureIndex, PictureList& fresh, PictureOrder order,
    Random& random, const std::function<std::optional<std::int64_t>(const std::string&)>& dateOf) {
    const std::vector<std::string>& round = current.paths;
    switch (order) {
        case PictureOrder::kName:
            SortPicturesByName(fresh);
            break;
        case PictureOrder::kDate:
            SortPicturesByDate(fresh, dateOf);
            break;
        case PictureOrder::kShuffled:
            KeepShuffledRound(round, fresh, random);
            break;
        case PictureOrder::kListed:
            break;
    }
    const std::vector<std::string>& listed = fresh.paths;
    std::unordered_map<std::string, std::int32_t> placeOf;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        placeOf.emplace(listed[i], static_cast<std::int32_t>(i));
    }
    const std::size_t taken = static_cast<std::size_t>(
        std::clamp<std::int32_t>(pictureIndex, 0, static_cast<std::int32_t>(round.size())));
    // Right after the picture taken last, so that new ones ordered after it come this round.
    if (taken > 0) {
        if (const auto found = placeOf.find(round[taken - 1]); found != placeOf.end()) {
            return found->second + 1;
        }
    }
    // That one is gone too: at the first picture still to come.
    for (std::size_t i = taken; i < round.size(); ++i) {
        if (const auto found = placeOf.find(round[i]); found != placeOf.end()) return found->second;
    }
    return 0;
}

}  // namespace velnor
