// The system dialogs and shell services. The folder browser runs in a single-threaded COM
// apartment of its own, left again when it closes if this call entered it. Names cross
// the wide APIs as UTF-16.
#include "ui/system_dialogs_win32.h"

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>

#include "settings/wide_text_win32.h"

namespace velnor {

std::optional<std::string> BrowseForFolder(HWND owner, std::string_view title) {
    const std::wstring wideTitle = WideFromUtf8(title);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = wideTitle.c_str();
    std::optional<std::string> folder;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
        if (const std::optional<std::wstring> path = FileSystemPathOf(item)) {
            folder = Utf8FromWide(*path);
        }
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

std::optional<ColourRef> PickColour(HWND owner, ColourRef initial) {
    std::array<COLORREF, 16> custom{};
    for (int i = 0; i < 16; ++i) custom[static_cast<std::size_t>(i)] = GetSysColor(i);
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpCustColors = custom.data();
    choose.rgbResult = static_cast<COLORREF>(initial);
    choose.Flags = CC_PREVENTFULLOPEN | CC_RGBINIT;
    if (!ChooseColorW(&choose)) return std::nullopt;
    return static_cast<ColourRef>(choose.rgbResult);
}

void OpenWithDefaultProgram(HWND owner, std::string_view address) {
    ShellExecuteW(owner, L"open", WideFromUtf8(address).c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace velnor
