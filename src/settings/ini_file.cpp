// Reading and atomically rewriting the settings file. The whole file is read into memory
// once (a damaged giant only up to kMaxIniBytes, and never rewritten); only regular files
// are opened, so a pipe or device named like the settings file never blocks the program.
#include "settings/ini_file.h"

#include <cstdio>
#include <system_error>

#include "settings/file_io.h"
#include "settings/text_encoding.h"
#include "settings/utf16_text.h"

namespace velnor {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxIniBytes = std::size_t{16} << 20;

enum class FileState { missing, complete, tooLarge, unreadable, notRegular };

// Reads at most kMaxIniBytes of `file` into `contents`.
FileState ReadContents(const fs::path& file, std::string& contents) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (status.type() == fs::file_type::not_found) return FileState::missing;
    if (error) return FileState::unreadable;
    if (status.type() != fs::file_type::regular) return FileState::notRegular;
    const std::uintmax_t size = fs::file_size(file, error);
    if (!error) contents.reserve(size < kMaxIniBytes ? size : kMaxIniBytes);
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

// The file's text as the INI functions search it: cp932 bytes as they are, or a UTF-16LE
// file (with its byte-order mark) as UTF-8.
struct IniFileText {
    std::string text;
    IniCharset charset = IniCharset::kCp932;
};

IniFileText Decode(std::string contents) {
    if (!HasUtf16LeMark(contents)) return {std::move(contents), IniCharset::kCp932};
    return {Utf16LeToUtf8(std::string_view(contents).substr(2)), IniCharset::kUtf8};
}

std::string Encode(const IniFileText& file) {
    return file.charset == IniCharset::kCp932 ? file.text : Utf8ToUtf16LeWithMark(file.text);
}

// A cp932 name or value in the file's charset.
std::string InCharset(std::string_view cp932, IniCharset charset, const TextEncoding& text) {
    return charset == IniCharset::kCp932 ? std::string(cp932) : text.Cp932ToUtf8(cp932);
}

// Writes `contents` to a temporary file beside `file` and renames it over `file`.
bool ReplaceFile(const fs::path& file, const std::string& contents) {
    const fs::path temporary = TemporarySibling(file);
    std::FILE* stream = OpenFile(temporary, "wb");
    if (stream == nullptr) return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), stream) == contents.size();
    ok = FlushToDisk(stream) && ok;
    ok = std::fclose(stream) == 0 && ok;
    if (ok) KeepPermissions(file, temporary);
    std::error_code error;
    // Replaces an existing file in one step (MoveFileExW with MOVEFILE_REPLACE_EXISTING
    // in the Windows standard library).
    if (ok) fs::rename(temporary, file, error);
    if (!ok || error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

// The file a write must replace: the final target of a chain of symbolic links (even one
// that does not exist yet), so that the links themselves stay.
fs::path FollowLinks(fs::path file) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(file, error))) return file;
        const fs::path target = fs::read_symlink(file, error);
        if (error) return file;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

// A read-only file: its owner may not write it (the read-only attribute on Windows).
bool IsReadOnly(const fs::path& file) {
    std::error_code error;
    const fs::perms perms = fs::status(file, error).permissions();
    return !error && (perms & fs::perms::owner_write) == fs::perms::none;
}

// Removes what interrupted saves of `file` left behind.
void RemoveLeftoverTemporaries(const fs::path& file) {
    std::error_code error;
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (IsTemporarySiblingName(it->path().filename(), file)) fs::remove(it->path(), ignored);
    }
}

}  // namespace

std::vector<std::string> ReadIniValues(std::string_view section,
                                       std::span<const std::string_view> keys, const fs::path& file,
                                       const TextEncoding& encoding) {
    std::vector<std::string> values(keys.size());
    try {
        std::string contents;
        const FileState state = ReadContents(file, contents);
        if (state != FileState::complete && state != FileState::tooLarge) return values;
        const IniFileText text = Decode(std::move(contents));
        if (text.charset == IniCharset::kCp932) {
            auto found = FindIniValues(text.text, section, keys, text.charset);
            for (std::size_t k = 0; k < keys.size(); ++k) {
                if (found[k]) values[k] = std::move(*found[k]);
            }
            return values;
        }
        std::vector<std::string> utf8Keys;
        for (const std::string_view key : keys) utf8Keys.push_back(encoding.Cp932ToUtf8(key));
        const std::vector<std::string_view> keyViews(utf8Keys.begin(), utf8Keys.end());
        const auto found =
            FindIniValues(text.text, encoding.Cp932ToUtf8(section), keyViews, text.charset);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (found[k]) values[k] = encoding.Utf8ToCp932(*found[k]);
        }
        return values;
    } catch (...) {
        return std::vector<std::string>(keys.size());
    }
}

std::string ReadIniValue(std::string_view section, std::string_view key, const fs::path& file,
                         const TextEncoding& encoding) {
    return std::move(ReadIniValues(section, {&key, 1}, file, encoding).front());
}

bool WriteIniValues(std::string_view section, std::span<const IniEntry> entries,
                    const fs::path& file, const TextEncoding& encoding) {
    try {
        bool all = true;
        std::size_t writable = 0;
        for (const IniEntry& entry : entries) {
            const bool ok = IsWritableIniEntry(section, entry.key, entry.value);
            all = all && ok;
            writable += ok ? 1 : 0;
        }
        if (writable == 0) return all;
        const fs::path target = FollowLinks(file);
        std::string contents;
        const FileState state = ReadContents(target, contents);
        if (state != FileState::complete && state != FileState::missing) return false;
        if (state == FileState::complete && IsReadOnly(target)) return false;
        IniFileText text = Decode(std::move(contents));
        std::vector<IniEntry> converted;
        for (const IniEntry& entry : entries) {
            if (!IsWritableIniEntry(section, entry.key, entry.value)) continue;
            converted.push_back({InCharset(entry.key, text.charset, encoding),
                                 InCharset(entry.value, text.charset, encoding)});
        }
        text.text = WithIniValues(text.text, InCharset(section, text.charset, encoding), converted,
                                  text.charset);
        RemoveLeftoverTemporaries(target);
        return ReplaceFile(target, Encode(text)) && all;
    } catch (...) {
        return false;
    }
}

bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const fs::path& file, const TextEncoding& encoding) {
    const IniEntry entry{std::string(key), std::string(value)};
    return WriteIniValues(section, {&entry, 1}, file, encoding);
}

}  // namespace velnor
