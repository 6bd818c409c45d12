// The file system on Linux. POSIX files have no attribute bits, so they are mapped:
//   regular file writable by its owner        -> 0 (no attribute)
//   regular file not writable by its owner    -> read-only (1)
//   directory                                 -> directory (16)
//   name starting with "." (but "." and "..") -> hidden (2) in addition
//   anything else (device, fifo, socket)      -> system (4), so never listed
// The archive bit never occurs. Symbolic links count as what they point to. Listings come
// in byte order of the names, so scans are repeatable (readdir's own order is arbitrary).
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "settings/file_system.h"
#include "settings/wildcard.h"

namespace velnor {
namespace {

class PosixFileSystem final : public FileSystem {
  public:
    FileListing ListMatching(std::string_view wildcardPath, bool includeDirectories) override;
    std::optional<int> AttributesOf(std::string_view path) override;

    std::unique_ptr<FolderWatch> WatchFolders(const std::vector<std::string>& folders,
                                              bool withSubfolders) override {
        return WatchPlatformFolders(folders, withSubfolders);
    }

    std::optional<std::string> FolderIdentity(std::string_view path) override {
        struct stat info {};
        if (stat(std::string(path).c_str(), &info) != 0) return std::nullopt;
        return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
    }
};

bool IsHiddenName(std::string_view name) {
    return !name.empty() && name.front() == '.' && name != "." && name != "..";
}

std::optional<int> PosixFileSystem::AttributesOf(std::string_view path) {
    struct stat info {};
    if (stat(std::string(path).c_str(), &info) != 0) return std::nullopt;
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    int attributes = IsHiddenName(name) ? kAttributeHidden : 0;
    if (S_ISDIR(info.st_mode)) {
        attributes |= kAttributeDirectory;
    } else if (S_ISREG(info.st_mode)) {
        if ((info.st_mode & S_IWUSR) == 0) attributes |= kAttributeReadOnly;
    } else {
        attributes |= kAttributeSystem;
    }
    return attributes;
}

FileListing PosixFileSystem::ListMatching(std::string_view wildcardPath, bool includeDirectories) {
    const std::size_t slash = wildcardPath.find_last_of('/');
    const std::string prefix(slash == std::string_view::npos ? ""
                                                             : wildcardPath.substr(0, slash + 1));
    const std::string_view pattern = wildcardPath.substr(prefix.size());
    FileListing listing;
    DIR* folder = opendir(prefix.empty() ? "." : prefix.c_str());
    if (folder == nullptr) {
        listing.error = std::strerror(errno);
        return listing;
    }
    while (true) {
        errno = 0;
        const dirent* entry = readdir(folder);
        if (entry == nullptr) {
            if (errno != 0) listing.error = std::strerror(errno);
            break;
        }
        const std::string_view name = entry->d_name;
        if (!WildcardMatch(pattern, name)) continue;
        const std::optional<int> attributes = AttributesOf(prefix + entry->d_name);
        if (!attributes || (*attributes & (kAttributeHidden | kAttributeSystem)) != 0) continue;
        if ((*attributes & kAttributeDirectory) != 0 && !includeDirectories) continue;
        listing.names.emplace_back(name);
    }
    closedir(folder);
    std::sort(listing.names.begin(), listing.names.end());
    return listing;
}

}  // namespace

std::unique_ptr<FileSystem> MakePlatformFileSystem() {
    return std::make_unique<PosixFileSystem>();
}

}  // namespace velnor
