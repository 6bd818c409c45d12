// The settings file's INI primitives: every read and write of Velnor.ini goes through
// these functions. They work on bytes (cp932 keys and values pass through unchanged)
// and behave like the platform's private-profile functions where the format is loose.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velnor {

// The value of `key` in `section` of `file`, or "" when the file, section or key is missing
// or the file cannot be read. Section and key names match ASCII-case-insensitively (the
// second byte of a cp932 double-byte character is compared exactly); blanks around the
// name and the value are ignored; a value in matching quotes ('...' or "...") loses them;
// a value is cut at a NUL byte but otherwise returned whole, however long. Never throws.
std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::filesystem::path& file);

// The bytes ReadIniValue searches: the file's contents (of a damaged giant, only the start),
// or "" when the file is missing or cannot be read. For reading many keys, read the file
// once and look each key up with FindIniValue (settings/ini_text.h). Never throws.
std::string ReadIniContents(const std::filesystem::path& file);

// Stores `value` exactly as given (" 10" keeps its blank) for `key` in `section` of `file`.
// An existing key keeps its line and spelling and gets the new value; a new key goes at the
// end of its section; a missing section is appended; a missing file is created. Every other
// byte of the file stays as it was. The new contents go to a temporary file in the same
// folder that replaces the old file only once completely on the disk, so an interrupted
// write leaves either the old or the new file. Returns whether the value landed; refuses
// names or values that would break the line structure (line breaks, NUL, "=" in a key,
// "]" in a section). Never throws.
bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::filesystem::path& file);

}  // namespace velnor
