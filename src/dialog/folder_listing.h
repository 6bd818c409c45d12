// What the dialog shows of a folder listing ("背景画像をﾌｫﾙﾀﾞで指定..."): the lines' file
// names and the message for a folder with more pictures than the list can hold. The
// listing itself is the picture scan's (ListFolderPictures).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace velnor {

// Called with the text of an error met while listing; each distinct text once per listing.
using ListingError = std::function<void(const std::string& message)>;

// The name of a file without its folder (after the last "\", "/" or ":").
std::string FileNamePart(std::string_view path);

// A listed picture's name as the list shows it: its path below `folder` ("2024\a.jpg" for
// a picture of a subfolder), or its file name when it is not below `folder`.
std::string NameUnderFolder(std::string_view path, std::string_view folder);

// The message for a folder whose pictures did not all fit the list: how many are used and
// how many are left out.
std::string LeftOutMessage(std::size_t used, std::size_t leftOut);

}  // namespace velnor
