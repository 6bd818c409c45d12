// Settings location on Linux: the folder of the running executable and the XDG folder.
#include <cstdlib>
#include <system_error>

#include "settings/settings_location.h"

namespace velnor {

SettingsLocation PlatformSettingsLocation() {
    std::error_code error;
    std::filesystem::path programFolder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (error) programFolder = std::filesystem::current_path(error);
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    return SettingsLocationFor(programFolder, XdgPerUserFolder(xdg ? xdg : "", home ? home : ""));
}

}  // namespace velnor
