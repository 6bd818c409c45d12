// Change notifications on Windows: one change notification handle on the chosen folder,
// looking into its whole tree when subfolders are listed.
#include <windows.h>

#include "settings/file_system.h"
#include "settings/long_path_win32.h"
#include "settings/wide_text_win32.h"

namespace velnor {
namespace {

constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_LAST_WRITE;

class ChangeNotificationWatch final : public FolderWatch {
  public:
    explicit ChangeNotificationWatch(HANDLE handle) : handle_(handle) {}
    ~ChangeNotificationWatch() override { FindCloseChangeNotification(handle_); }
    ChangeNotificationWatch(const ChangeNotificationWatch&) = delete;
    ChangeNotificationWatch& operator=(const ChangeNotificationWatch&) = delete;

    bool TakeChange() override {
        if (WaitForSingleObject(handle_, 0) != WAIT_OBJECT_0) return false;
        // Rearms the handle for the next change; the ones since are already counted in.
        FindNextChangeNotification(handle_);
        return true;
    }

  private:
    HANDLE handle_;
};

}  // namespace

std::unique_ptr<FolderWatch> WatchPlatformFolders(const std::vector<std::string>& folders,
                                                  bool withSubfolders) {
    if (folders.empty()) return nullptr;
    const HANDLE handle =
        FindFirstChangeNotificationW(ExtendedLengthPath(WideFromUtf8(folders.front())).c_str(),
                                     withSubfolders ? TRUE : FALSE, kChanges);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<ChangeNotificationWatch>(handle);
}

}  // namespace velnor
