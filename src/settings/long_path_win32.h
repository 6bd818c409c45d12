// Paths for the wide-character file functions at any length and with every name whole.
// Implemented in file_io_win32.cpp, with the other file helpers of the settings layer.
#pragma once

#include <string>
#include <string_view>

namespace velnor {

// `path` as the file functions must get it to reach it whole: an absolute drive or UNC
// path near MAX_PATH (248 characters, the limit for folders) or longer, or with a name ending in a
// dot or a blank (which the system's path rules would cut off), gets the "\\?\" prefix that turns
// those rules off. Other paths (relative ones, and those with "/", "." or ".." that only the rules
// resolve) are returned as they are.
std::wstring ExtendedLengthPath(std::wstring_view path);

}  // namespace velnor
