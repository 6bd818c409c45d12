// Numbers as the settings file holds them: decimal text with optional blanks, sign,
// decimal point and exponent. Reading converts with Floor (16-bit fields) or Round
// (32-bit colours); a text that is not a number or does not fit the width gives nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velnor {

// The number a text stands for: blanks around it, "+"/"-", digits with at most one
// decimal point (at least one digit), then optionally "e"/"E"/"d"/"D" with a signed
// exponent. Anything else, or a value beyond the double range, gives nothing.
std::optional<double> ParseNumberText(std::string_view text);

// Integer part toward minus infinity, if it lies within -32768..32767.
std::optional<std::int16_t> FloorToInt16(std::string_view text);

// Nearest integer with ties to even, if it lies within the signed 32-bit range.
std::optional<std::int32_t> RoundToInt32(std::string_view text);

}  // namespace velnor
