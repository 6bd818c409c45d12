// The Windows side of the settings store's file helpers, with the C runtime only: wide
// file names, _commit, and no permission bits to carry over (a new file takes the access
// rules of its folder).
#include <io.h>

#include <string>

#include "settings/file_io.h"

namespace velnor {

const char kPathSeparator = '\\';

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    std::wstring wideMode;
    for (const char* c = mode; *c != '\0'; ++c) wideMode += static_cast<wchar_t>(*c);
    return _wfopen(path.c_str(), wideMode.c_str());
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    return _commit(_fileno(file)) == 0;
}

void KeepPermissions(const std::filesystem::path&, const std::filesystem::path&) {}

}  // namespace velnor
