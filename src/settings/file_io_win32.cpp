// The Windows side of the settings store's file helpers: wide file names, _commit, only
// disk files read (a pipe or a device could make a read wait without end), and no
// permission bits to carry over (a new file takes the access rules of its folder).
#include <io.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "settings/file_io.h"
#include "settings/long_path_win32.h"

namespace velnor {

const char kPathSeparator = '\\';

std::wstring ExtendedLengthPath(std::wstring_view path) {
    const bool drive =
        path.size() >= 3 && path[1] == L':' && path[2] == L'\\' &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    const bool unc = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' &&
                     path[2] != L'.';
    if ((!drive && !unc) || path.find(L'/') != std::wstring_view::npos) return std::wstring(path);
    bool needed = path.size() >= MAX_PATH - 12;  // the limit for folders
    for (std::size_t start = unc ? 2 : 3; start <= path.size();) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring_view::npos) end = path.size();
        const std::wstring_view name = path.substr(start, end - start);
        if (name == L"." || name == L".." || (name.empty() && end != path.size())) {
            return std::wstring(path);
        }
        if (!name.empty() && (name.back() == L'.' || name.back() == L' ')) needed = true;
        start = end + 1;
    }
    if (!needed) return std::wstring(path);
    if (drive) return L"\\\\?\\" + std::wstring(path);
    return L"\\\\?\\UNC\\" + std::wstring(path.substr(2));
}

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    std::wstring wideMode;
    for (const char* c = mode; *c != '\0'; ++c) wideMode += static_cast<wchar_t>(*c);
    std::FILE* file = _wfopen(ExtendedLengthPath(path.native()).c_str(), wideMode.c_str());
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
    HANDLE file = CreateFileW(ExtendedLengthPath(path.native()).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
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
