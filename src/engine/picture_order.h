// The order in which the background pictures come: as the scan listed them, by name (numbers
// in names by value), by the date taken (EXIF DateTimeOriginal, else the file's modification
// time), or shuffled anew each round without the same picture twice in a row at the seam.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/random.h"
#include "settings/saver_settings.h"

namespace velnor {

// 画像の順序
enum class PictureOrder : std::int16_t { kListed = 0, kName = 1, kDate = 2, kShuffled = 3 };

// Case-insensitive (ASCII) name order in which runs of digits compare by value:
// "IMG_2" < "img_10". Names equal so compare by their bytes, so the order is total.
bool NaturalLess(std::string_view a, std::string_view b);

// The EXIF DateTimeOriginal of a JPEG's first bytes as seconds since 1970 (the camera's
// clock taken as UTC); nothing when the file has none or it does not read as a date.
std::optional<std::int64_t> ExifDateTaken(std::span<const std::uint8_t> bytes);

// The date a picture file was taken: its EXIF date, else its modification time (seconds
// since 1970); nothing when neither can be read.
std::optional<std::int64_t> PictureDate(const std::string& utf8Path);

// Sorts the pictures of `list` by name, or by date (oldest first, pictures
// without a date last, ties by name). `dateOf` is PictureDate in the programs.
void SortPicturesByName(PictureList& list);
void SortPicturesByDate(
    PictureList& list,
    const std::function<std::optional<std::int64_t>(const std::string&)>& dateOf);

// A new order of the pictures of `list` for the next round; the picture that ended the
// last round (`previous`, empty before the first round) does not open this one.
void ShufflePictures(PictureList& list, Random& random, const std::string& previous);

}  // namespace velnor
