// The picture list's order, sorted by the saver's own name and date sorts.
#include "dialog/list_order.h"

#include <algorithm>
#include <deque>
#include <limits>
#include <unordered_map>

namespace velnor {

bool SortsTheList(PictureOrder order) {
    return order == PictureOrder::kName || order == PictureOrder::kDate;
}

std::vector<ListedPicture> InListOrder(std::vector<ListedPicture> listed, PictureOrder order,
                                       const PictureDateOf& dateOf) {
    // A listing never holds more than a picture list can; anything beyond stays unsorted.
    const std::size_t count =
        std::min<std::size_t>(listed.size(), std::numeric_limits<std::int16_t>::max());
    if (!SortsTheList(order) || count < 2) return listed;
    PictureList list;
    list.paths.reserve(count);
    // Where each path stands, so each sorted path finds its line again (a path listed
    // twice keeps its lines in their order, as the stable sorts keep the paths).
    std::unordered_map<std::string, std::deque<std::size_t>> places;
    for (std::size_t i = 0; i < count; ++i) {
        list.paths.push_back(listed[i].path);
        places[listed[i].path].push_back(i);
    }
    if (order == PictureOrder::kName) {
        SortPicturesByName(list);
    } else {
        SortPicturesByDate(list, dateOf);
    }
    std::vector<ListedPicture> sorted;
    sorted.reserve(listed.size());
    for (const std::string& path : list.paths) {
        std::deque<std::size_t>& at = places[path];
        sorted.push_back(std::move(listed[at.front()]));
        at.pop_front();
    }
    for (std::size_t i = count; i < listed.size(); ++i) sorted.push_back(std::move(listed[i]));
    return sorted;
}

}  // namespace velnor
