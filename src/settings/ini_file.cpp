// Reading and atomically rewriting the settings file. The whole file is read into memory
// (it is small; a damaged giant is read only up to kMaxIniBytes and never rewritten).
#include "settings/ini_file.h"

#include <cstdio>
#include <system_error>

#include "settings/file_io.h"
#include "settings/ini_text.h"

namespace velnor {
namespace {

constexpr std::size_t kMaxIniBytes = std::size_t{16} << 20;

enum class FileState { missing, complete, tooLarge, unreadable };

// Reads at most kMaxIniBytes of `file` into `contents`.
FileState ReadContents(const std::filesystem::path& file, std::string& contents) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return error ? FileState::unreadable : FileState::missing;
    }
    std::FILE* stream = OpenFile(file, "rb");
    if (stream == nullptr) return FileState::unreadable;
    char buffer[65536];
    FileState state = FileState::complete;
    while (true) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, stream);
        const std::size_t room = kMaxIniBytes - contents.size();
        contents.append(buffer, got < room ? got : room);
        if (got > room) state = FileState::tooLarge;
        if (got < sizeof buffer || state == FileState::tooLarge) break;
    }
    if (std::ferror(stream)) state = FileState::unreadable;
    std::fclose(stream);
    return state;
}

// Writes `contents` to a temporary file beside `file` and renames it over `file`.
bool ReplaceFile(const std::filesystem::path& file, const std::string& contents) {
    const std::filesystem::path temporary = TemporarySibling(file);
    std::FILE* stream = OpenFile(temporary, "wb");
    if (stream == nullptr) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), stream) == contents.size();
    ok = FlushToDisk(stream) && ok;
    ok = std::fclose(stream) == 0 && ok;
    if (ok) KeepPermissions(file, temporary);
    std::error_code error;
    // Replaces an existing file in one step (MoveFileExW with MOVEFILE_REPLACE_EXISTING
    // in the Windows standard library).
    if (ok) std::filesystem::rename(temporary, file, error);
    if (!ok || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

// The file to rewrite: the target of a symbolic link rather than the link itself.
std::filesystem::path RealFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_symlink(file, error)) return file;
    std::filesystem::path target = std::filesystem::canonical(file, error);
    return error ? file : target;
}

}  // namespace

std::string ReadIniContents(const std::filesystem::path& file) {
    try {
        std::string contents;
        const FileState state = ReadContents(file, contents);
        if (state == FileState::missing || state == FileState::unreadable) return {};
        return contents;
    } catch (...) {
        return {};
    }
}

std::string ReadIniValue(std::string_view section, std::string_view key,
                         const std::filesystem::path& file) {
    try {
        return FindIniValue(ReadIniContents(file), section, key).value_or(std::string{});
    } catch (...) {
        return {};
    }
}

bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const std::filesystem::path& file) {
    try {
        if (!IsWritableIniEntry(section, key, value)) return false;
        const std::filesystem::path target = RealFile(file);
        std::string contents;
        const FileState state = ReadContents(target, contents);
        if (state == FileState::tooLarge || state == FileState::unreadable) return false;
        return ReplaceFile(target, WithIniValue(contents, section, key, value));
    } catch (...) {
        return false;
    }
}

}  // namespace velnor
