// Small file helpers shared by the INI writer, the settings location and the picture scan:
// the path separator, opening a file by std::filesystem::path (wide names on Windows),
// forcing written data to the disk, and names for temporary files that nobody else will
// pick. The build compiles file_io_posix.cpp or file_io_win32.cpp (C runtime only) with it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velnor {

// '\\' on Windows, '/' elsewhere.
extern const char kPathSeparator;

// fopen with the path's native encoding; nullptr on failure. Never throws. Files opened
// for reading only must be regular files, and opening them never waits (a FIFO, a device
// or a file another program holds open for writing would block fopen without end).
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// The whole content of the regular (disk) file at `path`, opened without waiting; nothing
// for any other kind of file, a failed read or one longer than `maxBytes`.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& path,
                                                         std::uint64_t maxBytes);

// Flushes the stream and asks the operating system to put the data on the disk.
bool FlushToDisk(std::FILE* file);

// Gives `copy` the permission bits of `original` where the platform has them, so that a
// private settings file stays private when it is replaced. Nothing when `original` is gone.
void KeepPermissions(const std::filesystem::path& original, const std::filesystem::path& copy);

// A name for a temporary file beside `file`: its name + "." + 16 random hexadecimal
// digits + ".tmp", in the same folder (so that a rename can replace `file` in one step).
std::filesystem::path TemporarySibling(const std::filesystem::path& file);

// Whether a new file can be created in `folder`. The file it tries leaves no trace even when
// the process is killed: unnamed or unlinked at once on POSIX, deleted on close by the
// system on Windows (named as TemporarySibling names one for `folder`/`probeName`).
bool CanCreateFileIn(const std::filesystem::path& folder, const std::filesystem::path& probeName);

// Whether `name` (a file name without folder) is one TemporarySibling gives for `file`.
bool IsTemporarySiblingName(const std::filesystem::path& name, const std::filesystem::path& file);

}  // namespace velnor
