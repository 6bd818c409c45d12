// What the dialog shows of a folder listing ("背景画像をﾌｫﾙﾀﾞで指定..."): the lines' file
// names, the message for a folder with more pictures than the list can hold, and how often
// a long listing shows its count. The listing itself is the picture scan's
// (ListFolderPictures).
#pragma once

#include <cstddef>
#include <cstdint>
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

// When a long listing shows its climbing count and serves the dialog's pending messages:
// once `intervalMs` have passed since the start or the last time, often enough that the
// dialog answers at once, rarely enough not to slow the listing.
class ListingPace {
  public:
    explicit ListingPace(std::uint64_t startMs, std::uint64_t intervalMs = 50)
        : last_(startMs), interval_(intervalMs) {}
    // Whether it is time at `nowMs`; the next time is then counted from `nowMs`.
    bool Due(std::uint64_t nowMs);

  private:
    std::uint64_t last_;
    std::uint64_t interval_;
};

}  // namespace velnor
