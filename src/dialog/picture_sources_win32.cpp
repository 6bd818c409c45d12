// What the view opens for the model: the folder browser (the model then lists the folder,
// the count climbing while messages are served), a listed picture read for its thumbnail,
// the colour dialog of the line colours and the homepage link. Names travel as UTF-8
// inside and as UTF-16 through the wide APIs, so any file name lists and previews.
#include <windows.h>

#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <string>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/settings_dialog_win32.h"
#include "settings/wide_text_win32.h"

namespace velnor {

using namespace control_id;

namespace {

constexpr wchar_t kBrowseTitle[] = L"ﾌｫﾙﾀﾞをｸﾘｯｸして選択状態にしてから ＯＫ を押してください";

// The folder the user picked, or nothing when the browser was cancelled or the choice
// has no file-system path (a virtual folder such as the computer itself).
std::optional<std::wstring> BrowseForFolder(HWND owner) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t displayName[MAX_PATH] = L"";
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = kBrowseTitle;
    std::optional<std::wstring> folder;
    if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH] = L"";
        if (SHGetPathFromIDListW(item, path) && path[0] != L'\0') folder = path;
        CoTaskMemFree(item);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return folder;
}

// The short (8.3) form of `folder`, which names the same folder in plain characters when
// the volume keeps short names; empty when it has none.
std::string ShortPathOf(const std::wstring& folder) {
    const DWORD length = GetShortPathNameW(folder.c_str(), nullptr, 0);
    if (length == 0) return {};
    std::wstring shortPath(length, L'\0');
    const DWORD copied = GetShortPathNameW(folder.c_str(), shortPath.data(), length);
    if (copied == 0 || copied >= length) return {};
    shortPath.resize(copied);
    return Utf8FromWide(shortPath);
}

}  // namespace

void SettingsDialog::SetBusyCursor(bool busy) {
    busyCursor_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

// A second click on the folder button while a listing runs (its messages are pumped)
// is ignored; a cancelled browser, or a folder whose name the settings file cannot hold,
// keeps the folder and the list shown before.
void SettingsDialog::FolderClick() {
    if (model_.listing()) return;
    const std::optional<std::wstring> folder = BrowseForFolder(window_);
    if (!folder) return;
    SetBusyCursor(true);
    const FolderChoice choice = model_.ChooseFolder(
        Utf8FromWide(*folder), ShortPathOf(*folder),
        [this] {
            UpdateWindow(Control(kLblKei));
            return PumpWhileListing();
        },
        [this](const std::string& message) {
            MessageBoxW(window_, WideFromUtf8(message).c_str(), kDialogTitle, MB_OK);
        });
    SetBusyCursor(false);
    if (choice == FolderChoice::kNameNotStorable) {
        MessageBoxW(window_,
                    L"このﾌｫﾙﾀﾞの名前は設定ファイルに保存できません。\n"
                    L"別のﾌｫﾙﾀﾞを選んでください。",
                    kDialogTitle, MB_OK | MB_ICONWARNING);
    }
}

// Lets the dialog handle what is pending, so the count is seen to climb; false once the
// dialog is closing or the program is asked to end (the quit message is put back).
bool SettingsDialog::PumpWhileListing() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (window_ && IsDialogMessageW(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return window_ != nullptr && !unloading_;
}

// A file that cannot be read as a picture leaves the thumbnail and the size as they were.
void SettingsDialog::List1Click() {
    const LRESULT selected = SendMessageW(Control(kList1), LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return;
    SetBusyCursor(true);
    HWND box = Control(kPicK);
    ShowWindow(box, SW_HIDE);
    if (picture_.Read(model_.PicturePathOfLine(static_cast<std::size_t>(selected)))) {
        model_.ShowPictureSize(picture_.picture().width(), picture_.picture().height());
        ShowThumbnail();
    }
    ShowWindow(box, SW_SHOW);
    SetBusyCursor(false);
}

// Pic_K takes the thumbnail's size and place at the window's DPI.
void SettingsDialog::ShowThumbnail() {
    HWND box = Control(kPicK);
    if (!box) return;
    const std::optional<PixelBox> place = picture_.FitThumbnail(dpi_);
    if (!place) return;
    SetWindowPos(box, nullptr, place->left, place->top, place->width, place->height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(box, nullptr, FALSE);
}

// The colour dialog opens with the line's colour selected, so OK without a pick keeps it.
// The custom colours are the system colours 0..15 every time; the part of the dialog that
// defines new custom colours cannot be opened. Cancelling changes nothing.
void SettingsDialog::ColourClick(int target) {
    std::array<COLORREF, 16> custom{};
    for (int i = 0; i < 16; ++i) custom[static_cast<std::size_t>(i)] = GetSysColor(i);
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = window_;
    choose.lpCustColors = custom.data();
    choose.rgbResult = static_cast<COLORREF>(model_.LineColour(target));
    choose.Flags = CC_PREVENTFULLOPEN | CC_RGBINIT;
    if (ChooseColorW(&choose))
        model_.ChooseColour(target, static_cast<ColourRef>(choose.rgbResult));
}

// Opens the address lbl_URL shows with the system's default program for it. The result
// is not examined: the dialog has nothing useful to say when no browser opens.
void SettingsDialog::OpenHomepage() {
    SetBusyCursor(true);
    const std::wstring address = WindowText(Control(kLblUrl));
    ShellExecuteW(window_, L"open", address.c_str(), L"", L"", SW_SHOWNORMAL);
    SetBusyCursor(false);
}

}  // namespace velnor
