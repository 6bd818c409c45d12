// File names of listed pictures, the message for pictures left out and the listing's pace.
#include "dialog/folder_listing.h"

namespace velnor {

std::string FileNamePart(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string NameUnderFolder(std::string_view path, std::string_view folder) {
    const bool separated = !folder.empty() && path.size() > folder.size() + 1 &&
                           path.starts_with(folder) &&
                           (path[folder.size()] == '\\' || path[folder.size()] == '/');
    if (!separated) return FileNamePart(path);
    return std::string(path.substr(folder.size() + 1));
}

std::string LeftOutMessage(std::size_t used, std::size_t leftOut) {
    return "このﾌｫﾙﾀﾞには画像が " + std::to_string(used + leftOut) + " 枚あります。\n" +
           "使えるのは " + std::to_string(used) + " 枚までです。残りの " + std::to_string(leftOut) +
           " 枚は使いません。";
}

bool ListingPace::Due(std::uint64_t nowMs) {
    if (nowMs - last_ < interval_) return false;
    last_ = nowMs;
    return true;
}

}  // namespace velnor
