// The order in which the dialog's picture list shows a listing: the saver's order
// (画像の順序) for name and date, the listed order for the others. A shuffle has no fixed
// order to show (the saver deals a new one each round), so the list stays as listed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/picture_order.h"

namespace velnor {

// One picture of a listing: its full path and the line the list shows for it.
struct ListedPicture {
    std::string path;
    std::string line;
};

// A picture's date (seconds since 1970), nothing when it has none; PictureDate in the programs.
using PictureDateOf = std::function<std::optional<std::int64_t>(const std::string& path)>;

// Whether the list shows `order` by sorting (name, date) rather than as listed.
bool SortsTheList(PictureOrder order);

// `listed` (in the listing's order) in the order the list shows for `order`, sorted as the
// saver sorts its pictures; `dateOf` is asked only for the date order.
std::vector<ListedPicture> InListOrder(std::vector<ListedPicture> listed, PictureOrder order,
                                       const PictureDateOf& dateOf);

}  // namespace velnor
