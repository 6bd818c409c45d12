// INI contents as text: finding a key's value and producing the contents with one value
// changed. Pure functions on bytes, used by the file primitives in ini_file.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velnor {

// Whether two section or key names match: ASCII letters compare case-insensitively, the
// trail byte of a cp932 double-byte character compares exactly (it may look like a letter).
bool SameIniName(std::string_view a, std::string_view b);

// The value of the first line for `key` in any section named `section` (blanks trimmed,
// matching quotes removed, cut at a NUL), or nothing when there is no such line.
std::optional<std::string> FindIniValue(std::string_view contents, std::string_view section,
                                        std::string_view key);

// Whether `section`, `key` and `value` can be written without breaking the file's lines.
bool IsWritableIniEntry(std::string_view section, std::string_view key, std::string_view value);

// `contents` with `key` in `section` set to `value`: the line FindIniValue would read is
// rewritten in place, else a line is added after the last line of the first such section,
// else the section is appended. All other bytes stay; new lines end in CR LF.
std::string WithIniValue(std::string_view contents, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace velnor
