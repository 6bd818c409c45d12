// UTF-8 <-> UTF-32 conversion for counting and indexing characters, not bytes.
// Invalid bytes become U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace velnor {

std::u32string Utf8ToUtf32(std::string_view text);
std::string Utf32ToUtf8(std::u32string_view text);

}  // namespace velnor
