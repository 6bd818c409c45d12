// Readers of the native program's option values: whole numbers in a range, the orbiting
// ball's "R,G,B" and the list of picture kinds. Each takes the whole text or nothing.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

#include "x11/saver_options.h"

namespace velnor {

// The whole text as a number of type `Number` in `base`, or nothing.
template <typename Number>
std::optional<Number> WholeText(std::string_view text, int base = 10) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || status != std::errc() || stop != end) return std::nullopt;
    return value;
}

// Gives the settings-table row named `rowName` the value `value` on the command line.
void GiveSetting(SaverOptions& o, std::string_view rowName, long long value);

// The whole text as a number in [low, high], or nothing.
std::optional<long long> WholeNumber(std::string_view text, long long low, long long high);

// "R,G,B" with each from 0 to 255, given as the ball colour's rows; false when the text
// is not.
bool BallColour(SaverOptions& o, std::string_view text);

// Picture kinds from bmp, gif, jpg (or jpeg), wmf, png, separated by commas and in any case,
// at least one, given as the kinds' rows; false when the text is not such a list.
bool PictureKinds(SaverOptions& o, std::string_view text);

}  // namespace velnor
