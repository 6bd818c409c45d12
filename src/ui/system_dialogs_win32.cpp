// The system dialogs and shell services. The folder browser runs in a single-threaded COM
// apartment of its own, left again when it closes if this call entered it.
#include "ui/system_dialogs_win32.h"

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>

namespace velnor {

std::optional<std::wstring> BrowseForFolder(HWND owner, const wchar_t* title) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    std::optional<std::wstring> folder;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
        folder = FileSystemPathOf(item);
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return folder;
}

std::optional<std::wstring> FileSystemPathOf(PCIDLIST_ABSOLUTE item) {
    wchar_t* name = nullptr;
    if (FAILED(SHGetNameFromIDList(item, SIGDN_FILESYSPATH, &name)) || name == nullptr) {
        return std::nullopt;
    }
    std::optional<std::wstring> path;
    if (name[0] != L'\0') path = std::wstring(name);
    CoTaskMemFree(name);
    return path;
}

std::optional<std::wstring> LongPathOf(const std::wstring& path) {
    const DWORD length = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (length == 0) return std::nullopt;
    std::wstring longPath(length, L'\0');
    const DWORD copied = GetLongPathNameW(path.c_str(), longPath.data(), length);
    if (copied == 0 || copied >= length) return std::nullopt;
    longPath.resize(copied);
    return longPath;
}

std::optional<COLORREF> PickColour(HWND owner, COLORREF initial) {
    std::array<COLORREF, 16> custom{};
    for (int i = 0; i < 16; ++i) custom[static_cast<std::size_t>(i)] = GetSysColor(i);
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpCustColors = custom.data();
    choose.rgbResult = initial;
    choose.Flags = CC_PREVENTFULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&choose)) return std::nullopt;
    return choose.rgbResult;
}

void OpenWithDefaultProgram(HWND owner, const std::wstring& address) {
    ShellExecuteW(owner, L"open", address.c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace velnor
