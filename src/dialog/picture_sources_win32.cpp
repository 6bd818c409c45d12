// The picture-source handlers: browsing for the folder and listing its pictures with the
// count climbing as they are found, and previewing a listed picture as a thumbnail with
// its size. Names travel as UTF-8 inside and as UTF-16 through the wide APIs, so file
// names outside the ANSI code page list and preview like any other.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/folder_listing.h"
#include "dialog/thumbnail.h"
#include "settings/text_encoding.h"
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

// The folder as the settings file can hold it: the settings file is cp932, so a path with
// characters outside it (a folder named in Korean, or with an emoji) would come back as
// '?' and name nothing. Such a path is replaced by its short (8.3) form, which names the
// same folder in plain characters, when the volume keeps short names.
std::string StorableFolderPath(const std::wstring& folder) {
    const std::string path = Utf8FromWide(folder);
    const std::unique_ptr<TextEncoding> text = MakePlatformTextEncoding();
    if (text->FitsCp932(path)) return path;
    const DWORD length = GetShortPathNameW(folder.c_str(), nullptr, 0);
    if (length == 0) return path;
    std::wstring shortPath(length, L'\0');
    const DWORD copied = GetShortPathNameW(folder.c_str(), shortPath.data(), length);
    if (copied == 0 || copied >= length) return path;
    shortPath.resize(copied);
    const std::string shortUtf8 = Utf8FromWide(shortPath);
    return text->FitsCp932(shortUtf8) ? shortUtf8 : path;
}

std::wstring ListLine(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(line.data()));
    line.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return line;
}

}  // namespace

void SettingsDialog::SetBusyCursor(bool busy) {
    busyCursor_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

// A second click on the folder button while a listing runs (its messages are pumped)
// is ignored; a cancelled browser keeps the folder and the list shown before.
void SettingsDialog::FolderClick() {
    if (listing_) return;
    const std::optional<std::wstring> folder = BrowseForFolder(window_);
    if (!folder) return;
    const std::string path = StorableFolderPath(*folder);
    SetText(kFolderPath, path);
    SetBusyCursor(true);
    listing_ = true;
    bool closing = false;
    dialogFiles_ = ListDialogFolder(
        path, settings_.pictureKinds, settings_.pictures.scanAttribute, *fileSystem_,
        [&](std::size_t count) {
            SetText(kLblKei, std::to_string(count));
            UpdateWindow(Control(kLblKei));
            closing = !PumpWhileListing();
            return !closing;
        },
        [&](const std::string& message) {
            MessageBoxW(window_, WideFromUtf8(message).c_str(), kDialogTitle, MB_OK);
        });
    listing_ = false;
    SetBusyCursor(false);
    if (closing) return;
    HWND list = Control(kList1);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& file : dialogFiles_) {
        const std::wstring line = WideFromUtf8(FileNamePart(file));
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ShowListCount();
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

// The line's text names a file of the folder shown in Folder_Path. A file that cannot be
// read as a picture leaves the thumbnail and the size text as they were.
void SettingsDialog::List1Click() {
    HWND list = Control(kList1);
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return;
    SetBusyCursor(true);
    HWND box = Control(kPicK);
    ShowWindow(box, SW_HIDE);
    const std::string path =
        Text(kFolderPath) + "\\" + Utf8FromWide(ListLine(list, static_cast<int>(selected)));
    if (!decoder_) decoder_ = MakePictureDecoder();
    if (std::optional<Surface> picture = decoder_ ? decoder_->Decode(path) : std::nullopt) {
        pictureHolder_ = std::move(*picture);
        SetText(kLblPreSize, PictureSizeText(pictureHolder_.width(), pictureHolder_.height()));
        ShowThumbnail();
    }
    ShowWindow(box, SW_SHOW);
    SetBusyCursor(false);
}

// Pic_K takes the thumbnail's size with its top-left corner at its design place; its
// longer side is the box's design size at the window's DPI (100 pixels at 96 dpi).
void SettingsDialog::ShowThumbnail() {
    const ControlSpec* layoutEntry = FindControl(kPicK);
    HWND box = Control(kPicK);
    if (!layoutEntry || !box || pictureHolder_.empty()) return;
    const PixelBox place = ControlBox(*layoutEntry, dpi_);
    thumbnail_ = MakeThumbnail(pictureHolder_, place.width);
    SetWindowPos(box, nullptr, place.left, place.top, thumbnail_.width(), thumbnail_.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(box, nullptr, FALSE);
}

}  // namespace velnor
