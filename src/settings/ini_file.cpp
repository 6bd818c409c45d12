// Reading and atomically rewriting the settings file. The whole file is read into memory
// once (a damaged giant only up to kMaxIniBytes, and never rewritten); only regular files
// are opened, so a pipe or device named like the settings file never blocks the program.
#include "settings/ini_file.h"

#include <cstdio>
#include <system_error>

#include "settings/file_io.h"
#include "settings/file_text.h"
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

// The cp932 spellings of `names` for a search of a cp932 file; a name cp932 cannot
// spell cannot be in that file and has no entry (its index is left out of `indexes`).
std::vector<std::string> Cp932Names(std::span<const std::string_view> names,
                                    std::vector<std::size_t>& indexes, const TextEncoding& text) {
    std::vector<std::string> spelled;
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (auto cp932 = text.Cp932Exactly(names[k])) {
            spelled.push_back(std::move(*cp932));
            indexes.push_back(k);
        }
    }
    return spelled;
}

std::vector<std::string> FindValues(const FileText& file, std::string_view section,
                                    std::span<const std::string_view> keys,
                                    const TextEncoding& text) {
    std::vector<std::string> values(keys.size());
    if (file.Charset() == IniCharset::kUtf8) {
        auto found = FindIniValues(file.text, section, keys, IniCharset::kUtf8);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (found[k]) values[k] = std::move(*found[k]);
        }
        return values;
    }
    const std::optional<std::string> cp932Section = text.Cp932Exactly(section);
    if (!cp932Section) return values;
    std::vector<std::size_t> indexes;
    const std::vector<std::string> cp932Keys = Cp932Names(keys, indexes, text);
    const std::vector<std::string_view> keyViews(cp932Keys.begin(), cp932Keys.end());
    const auto found = FindIniValues(file.text, *cp932Section, keyViews, IniCharset::kCp932);
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        if (found[i]) values[indexes[i]] = text.Cp932ToUtf8(*found[i]);
    }
    return values;
}

// The entries in cp932 for a cp932 file, or nothing when one of them does not fit.
std::optional<std::vector<IniEntry>> InCp932(std::string_view section,
                                             std::span<const IniEntry> entries,
                                             std::string& cp932Section, const TextEncoding& text) {
    const auto spelledSection = text.Cp932Exactly(section);
    if (!spelledSection) return std::nullopt;
    cp932Section = *spelledSection;
    std::vector<IniEntry> converted;
    for (const IniEntry& entry : entries) {
        auto key = text.Cp932Exactly(entry.key);
        auto value = text.Cp932Exactly(entry.value);
        if (!key || !value) return std::nullopt;
        converted.push_back({std::move(*key), std::move(*value)});
    }
    return converted;
}

// Applies `entries` (UTF-8, values as StoredIniValue writes them) to `file`: in cp932 when
// every name and value fits, otherwise after turning the file into UTF-16LE.
void ApplyEntries(FileText& file, std::string_view section, std::span<const IniEntry> entries,
                  const TextEncoding& text) {
    if (file.Charset() == IniCharset::kCp932) {
        std::string cp932Section;
        if (const auto converted = InCp932(section, entries, cp932Section, text)) {
            file.text = WithIniValues(file.text, cp932Section, *converted, IniCharset::kCp932);
            return;
        }
        SwitchToUtf16(file, text);
    }
    file.text = WithIniValues(file.text, section, entries, IniCharset::kUtf8);
}

// Whether `entry` can be stored at all, whatever the file's encoding.
bool IsStorable(std::string_view section, const IniEntry& entry) {
    return IsValidUtf8(section) && IsValidUtf8(entry.key) && IsValidUtf8(entry.value) &&
           IsWritableIniEntry(section, entry.key, entry.value, IniCharset::kUtf8);
}

// The entries a write stores: well-formed UTF-8 that keeps the line structure, each value
// quoted where that is needed to read back exactly, and none that the file already holds
// but cp932 cannot spell (a value read from a damaged cp932 line keeps its bytes).
std::vector<IniEntry> EntriesToStore(std::string_view section, std::span<const IniEntry> entries,
                                     const FileText& file, const TextEncoding& text) {
    std::vector<IniEntry> stored;
    for (const IniEntry& entry : entries) {
        if (!IsStorable(section, entry)) continue;
        if (file.Charset() == IniCharset::kCp932 && !text.FitsCp932(entry.value)) {
            const std::string_view key = entry.key;
            if (FindValues(file, section, {&key, 1}, text).front() == entry.value) continue;
        }
        stored.push_back({entry.key, StoredIniValue(entry.value)});
    }
    return stored;
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
    try {
        std::string contents;
        const FileState state = ReadContents(file, contents);
        if (state != FileState::complete && state != FileState::tooLarge) {
            return std::vector<std::string>(keys.size());
        }
        return FindValues(DecodeFileText(std::move(contents)), section, keys, encoding);
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
            const bool ok = IsStorable(section, entry);
            all = all && ok;
            writable += ok ? 1 : 0;
        }
        if (writable == 0) return all;
        const fs::path target = FollowLinks(file);
        std::string contents;
        const FileState state = ReadContents(target, contents);
        if (state != FileState::complete && state != FileState::missing) return false;
        if (state == FileState::complete && IsReadOnly(target)) return false;
        FileText text = DecodeFileText(std::move(contents));
        const std::vector<IniEntry> stored = EntriesToStore(section, entries, text, encoding);
        ApplyEntries(text, section, stored, encoding);
        RemoveLeftoverTemporaries(target);
        return ReplaceFile(target, EncodeFileText(text)) && all;
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
