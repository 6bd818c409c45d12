// Conversion between the settings file's cp932 (Shift_JIS) text and UTF-8, which the
// rest of the program uses. Implemented per platform (iconv on POSIX, the code-page
// functions on Windows) so the result does not depend on the system's locale.
#pragma once

#include <string>
#include <string_view>

namespace velnor {

// Invalid or unmappable bytes become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// Characters that cp932 cannot represent become '?'.
std::string Utf8ToCp932(std::string_view utf8);

// True when `utf8` survives the trip to cp932 and back unchanged, so it can be stored in
// the settings file as it is.
inline bool FitsCp932(std::string_view utf8) {
    return Cp932ToUtf8(Utf8ToCp932(utf8)) == utf8;
}

}  // namespace velnor
