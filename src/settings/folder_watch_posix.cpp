// Change notifications on Linux: one inotify instance with a watch on each folder (inotify
// does not look into subfolders by itself). A tree of more folders than kMaxWatchedFolders
// is watched in its first folders only; the rest is seen when the list is made again anyway.
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

#include "settings/file_system.h"

namespace velnor {
namespace {

constexpr std::size_t kMaxWatchedFolders = 1024;

constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_CLOSE_WRITE | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

class InotifyWatch final : public FolderWatch {
  public:
    explicit InotifyWatch(int descriptor) : descriptor_(descriptor) {}
    ~InotifyWatch() override { close(descriptor_); }
    InotifyWatch(const InotifyWatch&) = delete;
    InotifyWatch& operator=(const InotifyWatch&) = delete;

    bool TakeChange() override {
        bool changed = false;
        alignas(inotify_event) std::array<char, 4096> events{};
        for (;;) {
            const ssize_t got = read(descriptor_, events.data(), events.size());
            if (got > 0) {
                changed = true;
                continue;
            }
            if (got < 0 && errno == EINTR) continue;
            return changed;  // EAGAIN: nothing more for now
        }
    }

  private:
    int descriptor_;
};

}  // namespace

std::unique_ptr<FolderWatch> WatchPlatformFolders(const std::vector<std::string>& folders,
                                                  bool withSubfolders) {
    if (folders.empty()) return nullptr;
    const int descriptor = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0) return nullptr;
    auto watch = std::make_unique<InotifyWatch>(descriptor);
    const std::size_t count = withSubfolders ? std::min(folders.size(), kMaxWatchedFolders) : 1;
    bool any = false;
    for (std::size_t i = 0; i < count; ++i) {
        any |= inotify_add_watch(descriptor, folders[i].c_str(), kChanges | IN_ONLYDIR) >= 0;
    }
    if (!any) return nullptr;
    return watch;
}

}  // namespace velnor
