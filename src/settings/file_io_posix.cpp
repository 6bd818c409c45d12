// The POSIX side of the settings store's file helpers: byte paths, fsync, and permission
// bits that a rewritten file keeps.
#include <unistd.h>

#include <system_error>

#include "settings/file_io.h"

namespace velnor {

const char kPathSeparator = '/';

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    return fsync(fileno(file)) == 0;
}

void KeepPermissions(const std::filesystem::path& original, const std::filesystem::path& copy) {
    std::error_code error;
    const std::filesystem::file_status old = std::filesystem::status(original, error);
    if (!error && std::filesystem::exists(old)) {
        std::filesystem::permissions(copy, old.permissions(), error);
    }
}

}  // namespace velnor
