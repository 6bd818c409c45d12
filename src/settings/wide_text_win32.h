// UTF-8 <-> UTF-16 for the wide-character Win32 APIs. The program's texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace velnor {

// Invalid sequences become U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace velnor
