// Small file helpers shared by the INI writer and the settings location: opening a file by
// std::filesystem::path (wide names on Windows), forcing written data to the disk, and
// names for temporary files that nobody else will pick.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace velnor {

// fopen with the path's native encoding; nullptr on failure. Never throws.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// Flushes the stream and asks the operating system to put the data on the disk.
bool FlushToDisk(std::FILE* file);

// A name for a temporary file beside `file`: its name + "." + 16 random hexadecimal
// digits + ".tmp", in the same folder (so that a rename can replace `file` in one step).
std::filesystem::path TemporarySibling(const std::filesystem::path& file);

// Whether `name` (a file name without folder) is one TemporarySibling gives for `file`.
bool IsTemporarySiblingName(const std::filesystem::path& name, const std::filesystem::path& file);

}  // namespace velnor
