// The file system on Windows: wide-character listing and attributes, so names outside
// the ANSI code page work, and long paths and names ending in a dot or a blank are reached
// whole (ExtendedLengthPath). Attributes are reduced to the classic bits (read-only 1,
// hidden 2, system 4, directory 16, archive 32); newer bits such as "not content indexed"
// or "offline" are masked off, since the picture scan compares the value exactly.
#include <windows.h>

#include <chrono>
#include <future>
#include <string>

#include "settings/file_system.h"
#include "settings/long_path_win32.h"
#include "settings/wide_text_win32.h"

namespace velnor {
namespace {

constexpr DWORD kClassicAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY |
                                     FILE_ATTRIBUTE_ARCHIVE;

constexpr std::chrono::milliseconds kPollInterval{20};

std::string ErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) return "Error " + std::to_string(code);
    return Utf8FromWide(text);
}

FileListing ListNow(const std::wstring& wildcardPath, bool includeDirectories) {
    FileListing listing;
    WIN32_FIND_DATAW entry{};
    const HANDLE find = FindFirstFileExW(wildcardPath.c_str(), FindExInfoBasic, &entry,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_NO_MORE_FILES) {
            listing.error = ErrorText(code);
        }
        return listing;
    }
    do {
        const DWORD attributes = entry.dwFileAttributes;
        if ((attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) continue;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !includeDirectories) continue;
        listing.names.push_back(Utf8FromWide(entry.cFileName));
    } while (FindNextFileW(find, &entry));
    const DWORD code = GetLastError();
    if (code != ERROR_NO_MORE_FILES) listing.error = ErrorText(code);
    FindClose(find);
    return listing;
}

class Win32FileSystem final : public FileSystem {
  public:
    FileListing ListMatching(std::string_view wildcardPath, bool includeDirectories) override {
        return ListNow(ExtendedLengthPath(WideFromUtf8(wildcardPath)), includeDirectories);
    }

    // The listing runs on a thread of its own while this one polls: the system can spend
    // seconds in one call on a folder of many thousand files (the first call reads it all).
    FileListing ListMatchingPolled(std::string_view wildcardPath, bool includeDirectories,
                                   const std::function<void()>& poll) override {
        if (!poll) return ListMatching(wildcardPath, includeDirectories);
        std::future<FileListing> listing =
            std::async(std::launch::async, &ListNow, ExtendedLengthPath(WideFromUtf8(wildcardPath)),
                       includeDirectories);
        while (listing.wait_for(kPollInterval) != std::future_status::ready) poll();
        return listing.get();
    }

    std::optional<int> AttributesOf(std::string_view path) override {
        const DWORD attributes = GetFileAttributesW(ExtendedLengthPath(WideFromUtf8(path)).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
        return static_cast<int>(attributes & kClassicAttributes);
    }

    std::unique_ptr<FolderWatch> WatchFolders(const std::vector<std::string>& folders,
                                              bool withSubfolders) override {
        return WatchPlatformFolders(folders, withSubfolders);
    }

    std::optional<std::string> LongNameOf(std::string_view path) override {
        const std::wstring wide = WideFromUtf8(path);
        const DWORD length = GetLongPathNameW(wide.c_str(), nullptr, 0);
        if (length == 0) return std::nullopt;
        std::wstring longPath(length, L'\0');
        const DWORD copied = GetLongPathNameW(wide.c_str(), longPath.data(), length);
        if (copied == 0 || copied >= length) return std::nullopt;
        longPath.resize(copied);
        return Utf8FromWide(longPath);
    }

    std::optional<std::string> FolderIdentity(std::string_view path) override {
        const HANDLE folder =
            CreateFileW(ExtendedLengthPath(WideFromUtf8(path)).c_str(), 0,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (folder == INVALID_HANDLE_VALUE) return std::nullopt;
        BY_HANDLE_FILE_INFORMATION info{};
        const bool read = GetFileInformationByHandle(folder, &info) != 0;
        CloseHandle(folder);
        if (!read) return std::nullopt;
        return std::to_string(info.dwVolumeSerialNumber) + ":" +
               std::to_string(info.nFileIndexHigh) + ":" + std::to_string(info.nFileIndexLow);
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakePlatformFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace velnor
