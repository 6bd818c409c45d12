// The settings file's INI primitives: every read and write of Velnor.ini goes through
// these functions. Names and values are UTF-8; the file may be cp932, UTF-8 or UTF-16 (see
// file_text.h) and is written back in the encoding it was read in, converting names and
// values of a cp932 file with the `text` encoding the caller passes in.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_text.h"
#include "settings/text_encoding.h"

namespace velnor {

// The value of `key` in `section` of `file`, or "" when the file, section or key is missing
// or the file cannot be read. Section and key names match ASCII-case-insensitively (other
// characters compare exactly); blanks around the
// name and the value are ignored; a value in matching quotes ('...' or "...") loses them;
// a value is cut at a NUL byte but otherwise returned whole, however long. Anything but a
// regular file (a folder, a pipe, a device) counts as missing. Never throws.
std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::filesystem::path& file, const TextEncoding& text);

// ReadIniValue for several keys, with the file read once and searched in one pass (of a
// damaged giant, only the start is read). Never throws.
std::vector<std::string> ReadIniValues(std::string_view section,
                                       std::span<const std::string_view> keys,
                                       const std::filesystem::path& file, const TextEncoding& text);

// Stores each entry's value exactly as given (" 10" keeps its blank) for its key in
// `section` of `file`, in order, with one replacement of the file: the bytes are those
// that one WriteIniValue per entry would leave. An existing key keeps its line and
// spelling and gets the new value; a new key goes at the end of its section; a missing
// section is appended; a missing file is created. Every other byte stays as it was.
//
// The new contents go to a temporary file in the same folder that replaces the old file
// only once completely on the disk, so an interrupted save leaves either the old or the
// new file; temporaries of earlier interrupted saves are removed. A symbolic link is
// written through to its target (which is created when missing). Entries that are not
// well-formed UTF-8 or would break the line structure (line breaks, NUL, "=" in a key,
// "]" in a section) are left out. A value that ends in a blank or is wrapped in quotes is
// written in double quotes, so it reads back exactly. A cp932 file (or a missing one)
// stays cp932 while every name and value fits; otherwise the whole file is written as
// UTF-16LE with a byte-order mark, which holds them all, and a value the file already
// holds that cp932 cannot spell keeps its bytes. Returns whether every entry landed; refuses
// (false, file untouched) a file that is not a regular file, one its owner may not write
// (read-only), and a damaged giant. Never throws.
bool WriteIniValues(std::string_view section, std::span<const IniEntry> entries,
                    const std::filesystem::path& file, const TextEncoding& text);

// WriteIniValues with one entry.
bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::filesystem::path& file, const TextEncoding& text);

}  // namespace velnor
