// Settings location on Windows: the folder of Velnor.scr and %APPDATA%\Velnor. The
// per-user folder is created when missing (a fresh profile, a redirected AppData), so a
// save there does not fail on a folder that was only looked up.
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "settings/settings_location.h"

namespace velnor {
namespace {

std::filesystem::path ProgramFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer).parent_path();
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::filesystem::path PerUserFolder() {
    std::filesystem::path folder;
    // Made when missing; where it cannot be made now (an absent network share), its name
    // is still known, and a later save tries again.
    for (const DWORD flags : {DWORD{KF_FLAG_CREATE}, DWORD{KF_FLAG_DEFAULT}}) {
        wchar_t* roaming = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, flags, nullptr, &roaming))) {
            folder = std::filesystem::path(roaming) / L"Velnor";
        }
        CoTaskMemFree(roaming);
        if (!folder.empty()) break;
    }
    return folder;
}

}  // namespace

SettingsLocation PlatformSettingsLocation() {
    return SettingsLocationFor(ProgramFolder(), PerUserFolder());
}

}  // namespace velnor
