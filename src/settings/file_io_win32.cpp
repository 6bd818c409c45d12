// The Windows side of the settings store's file helpers: wide file names, _commit, only
// disk files read (a pipe or a device could make a read wait without end), and no
// permission bits to carry over (a new file takes the access rules of its folder).
#include <io.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "settings/file_io.h"

namespace velnor {

const char kPathSeparator = '\\';

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    std::wstring wideMode;
    for (const char* c = mode; *c != '\0'; ++c) wideMode += static_cast<wchar_t>(*c);
    std::FILE* file = _wfopen(path.c_str(), wideMode.c_str());
    const bool readOnly = std::strchr(mode, 'r') != nullptr && std::strchr(mode, '+') == nullptr;
    if (file && readOnly &&
        GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != FILE_TYPE_DISK) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& path,
                                                         std::uint64_t maxBytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> out;
    LARGE_INTEGER size{};
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
        static_cast<std::uint64_t>(size.QuadPart) <= maxBytes && size.QuadPart < 0xFFFFFFFFll) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (bytes.empty() ||
            (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
             read == bytes.size())) {
            out = std::move(bytes);
        }
    }
    CloseHandle(file);
    return out;
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    return _commit(_fileno(file)) == 0;
}

bool CanCreateFileIn(const std::filesystem::path& folder, const std::filesystem::path& probeName) {
    const std::filesystem::path probe = TemporarySibling(folder / probeName);
    // The system deletes the file when its last handle closes, also when the process is
    // ended before it closes it.
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

void KeepPermissions(const std::filesystem::path&, const std::filesystem::path&) {}

}  // namespace velnor
