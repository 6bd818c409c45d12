// The POSIX side of the settings store's file helpers: byte paths, opening without waiting,
// fsync, and permission bits that a rewritten file keeps.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "settings/file_io.h"

namespace velnor {
namespace {

// A descriptor for reading the regular file at `path`, or -1. O_NONBLOCK keeps open from
// waiting on a FIFO without writer; the opened handle's own type then decides, so a file
// swapped for something else after a check is still refused. Reads of a regular file
// ignore O_NONBLOCK, but it is cleared all the same.
int OpenRegularForReading(const char* path) {
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    struct stat info {};
    const int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

const char kPathSeparator = '/';

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
    if (std::strchr(mode, 'r') == nullptr || std::strchr(mode, '+') != nullptr) {
        return std::fopen(path.c_str(), mode);
    }
    const int fd = OpenRegularForReading(path.c_str());
    if (fd < 0) return nullptr;
    std::FILE* file = fdopen(fd, mode);
    if (!file) close(fd);
    return file;
}

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::filesystem::path& path,
                                                         std::uint64_t maxBytes) {
    const int fd = OpenRegularForReading(path.c_str());
    if (fd < 0) return std::nullopt;
    std::optional<std::vector<std::uint8_t>> out;
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size >= 0 &&
        static_cast<std::uint64_t>(info.st_size) <= maxBytes) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        if (done == bytes.size()) out = std::move(bytes);
    }
    close(fd);
    return out;
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    return fsync(fileno(file)) == 0;
}

bool CanCreateFileIn(const std::filesystem::path& folder, const std::filesystem::path& probeName) {
    int fd = -1;
#ifdef O_TMPFILE
    // An unnamed file: nothing to remove, whenever the process ends.
    fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
        close(fd);
        return true;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
#endif
    // A file system without unnamed files: a name that lives for two system calls.
    const std::filesystem::path probe = TemporarySibling(folder / probeName);
    fd = open(probe.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    unlink(probe.c_str());
    close(fd);
    return true;
}

void KeepPermissions(const std::filesystem::path& original, const std::filesystem::path& copy) {
    std::error_code error;
    const std::filesystem::file_status old = std::filesystem::status(original, error);
    if (!error && std::filesystem::exists(old)) {
        std::filesystem::permissions(copy, old.permissions(), error);
    }
}

}  // namespace velnor
