// The platform's file listing and file attributes, as the picture scan needs them. Paths
// are UTF-8 text; each platform converts (wide-character APIs on Windows). Tests use fakes
// to inject failures such as a file that vanishes in the middle of a scan.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velnor {

// Classic file attribute bits; 0 means none of them.
enum FileAttribute : int {
    kAttributeReadOnly = 1,
    kAttributeHidden = 2,
    kAttributeSystem = 4,
    kAttributeDirectory = 16,
    kAttributeArchive = 32,
};

// Tells that something inside the watched folders changed: a file added, removed, renamed or
// rewritten. Only polled, so it never blocks; a burst of changes reads as one.
class FolderWatch {
  public:
    virtual ~FolderWatch() = default;
    // Whether a change was seen since the last call.
    virtual bool TakeChange() = 0;
};

// The running platform's change notifications for `folders` (see FileSystem::WatchFolders):
// inotify on Linux, a change notification handle on Windows.
std::unique_ptr<FolderWatch> WatchPlatformFolders(const std::vector<std::string>& folders,
                                                  bool withSubfolders);

// Names (without their folder) returned by one wildcard listing, in the file system's order.
// `error` is set when the listing failed; `names` then holds what came before the failure.
struct FileListing {
    std::vector<std::string> names;
    std::optional<std::string> error;  // readable text for the user, never empty when set
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The entries matching `wildcardPath` (a folder, a separator and a name pattern with "*"
    // and "?", matched without regard to ASCII letter case). Hidden and system entries are
    // never listed; directories (including "." and "..") only when `includeDirectories`.
    // No matching entry is not an error; a folder that cannot be read is.
    virtual FileListing ListMatching(std::string_view wildcardPath, bool includeDirectories) = 0;

    // The same, calling `poll` every few hundred entries of a long listing, so a caller
    // with a window can keep answering messages meanwhile.
    virtual FileListing ListMatchingPolled(std::string_view wildcardPath, bool includeDirectories,
                                           const std::function<void()>& poll) {
        static_cast<void>(poll);
        return ListMatching(wildcardPath, includeDirectories);
    }

    // The classic attribute bits of a file or folder, or nothing when they cannot be read
    // (for example because the file no longer exists).
    virtual std::optional<int> AttributesOf(std::string_view path) = 0;

    // What names a folder itself, whatever path reaches it (through a link, a junction or a
    // mount seen twice): its volume and file number as text. Nothing when it cannot be read.
    // The default, the path itself, tells only paths apart.
    virtual std::optional<std::string> FolderIdentity(std::string_view path) {
        return std::string(path);
    }
    // `path` with every short (8.3) component replaced by its long name; nothing where the
    // path cannot be looked up (it is not there now) or the system has no short names.
    virtual std::optional<std::string> LongNameOf(std::string_view path) {
        static_cast<void>(path);
        return std::nullopt;
    }
    // Watches `folders` (the chosen folder first, then its subfolders as the scan met them)
    // for changes; `withSubfolders` says the folders below the first count too. Nothing when
    // the platform gives no notifications or they cannot be set up; callers then look again
    // on their own schedule.
    virtual std::unique_ptr<FolderWatch> WatchFolders(const std::vector<std::string>& folders,
                                                      bool withSubfolders) {
        static_cast<void>(folders);
        static_cast<void>(withSubfolders);
        return nullptr;
    }
};

// The running platform's file system (Win32 on Windows, POSIX elsewhere).
std::unique_ptr<FileSystem> MakePlatformFileSystem();

}  // namespace velnor
