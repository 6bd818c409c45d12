// INI contents as text: finding keys' values and producing the contents with values
// changed. Pure functions on bytes, used by the file primitives in ini_file.h. Text is
// cp932 as the settings file stores it, or UTF-8 for a file kept in UTF-16.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velnor {

// How names are scanned: cp932 has double-byte characters whose second byte may look
// like "]", "=" or a letter; in UTF-8 no byte of a longer character is ASCII.
enum class IniCharset { kCp932, kUtf8 };

// One key and its value, both in the text's charset.
struct IniEntry {
    std::string key;
    std::string value;
    bool operator==(const IniEntry&) const = default;
};

// Whether two section or key names match: ASCII letters compare case-insensitively, the
// trail byte of a cp932 double-byte character compares exactly (it may look like a letter).
bool SameIniName(std::string_view a, std::string_view b, IniCharset charset = IniCharset::kCp932);

// The values of several keys of `section`, found in one pass over `contents`: for each key,
// the value of its first line in any section named `section` (blanks trimmed, matching
// quotes removed, cut at a NUL), or nothing when there is no such line.
std::vector<std::optional<std::string>> FindIniValues(std::string_view contents,
                                                      std::string_view section,
                                                      std::span<const std::string_view> keys,
                                                      IniCharset charset = IniCharset::kCp932);

// FindIniValues for one key.
std::optional<std::string> FindIniValue(std::string_view contents, std::string_view section,
                                        std::string_view key,
                                        IniCharset charset = IniCharset::kCp932);

// Whether `section`, `key` and `value` can be written so that they read back: no line
// breaks or NUL, no blanks around the names, no "]" in a section or "=" in a key, and no
// name ending in the first byte of a cp932 double-byte character (it would swallow the
// "]" or "=" after it).
bool IsWritableIniEntry(std::string_view section, std::string_view key, std::string_view value,
                        IniCharset charset = IniCharset::kCp932);

// The text to write after "=" so that `value` reads back exactly: in double quotes when
// it ends in a blank (the reader trims blanks) or is itself wrapped in matching quotes (the
// reader removes them), else unchanged. A leading blank alone stays unquoted: number texts
// are written " 10" and read as 10.
std::string StoredIniValue(std::string_view value);

// `contents` with `key` in `section` set to `value`: the line FindIniValue would read is
// rewritten in place, else a line is added after the last line of the first such section,
// else the section is appended. All other bytes stay; new lines end in CR LF.
std::string WithIniValue(std::string_view contents, std::string_view section, std::string_view key,
                         std::string_view value, IniCharset charset = IniCharset::kCp932);

// `contents` with every writable entry applied in order, exactly as that many WithIniValue
// calls give it; entries IsWritableIniEntry refuses are left out.
std::string WithIniValues(std::string_view contents, std::string_view section,
                          std::span<const IniEntry> entries,
                          IniCharset charset = IniCharset::kCp932);

}  // namespace velnor
