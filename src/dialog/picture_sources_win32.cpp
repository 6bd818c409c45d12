// What the view opens for the model: the folder browser (the model then lists the folder,
// the count climbing while messages are served), a listed picture read for its thumbnail,
// the colour dialog of the line colours and the homepage link. Names travel as UTF-8
// inside and as UTF-16 through the wide APIs, so any file name lists and previews.
#include <windows.h>

#include <optional>
#include <string>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"
#include "dialog/settings_dialog_win32.h"
#include "settings/wide_text_win32.h"
#include "ui/system_dialogs_win32.h"

namespace velnor {

using namespace control_id;

void SettingsDialog::SetBusyCursor(bool busy) {
    busyCursor_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void SettingsDialog::Tell(const std::optional<Notice>& notice) const {
    constexpr UINT kIcons[] = {0, MB_ICONINFORMATION, MB_ICONWARNING};
    if (!notice) return;
    MessageBoxW(window_, WideFromUtf8(notice->text).c_str(), kDialogTitle,
                MB_OK | kIcons[static_cast<int>(notice->kind)]);
}

// A second click on the folder button while a listing runs (its messages are pumped)
// is ignored; a cancelled browser, or a folder whose name the settings file cannot hold,
// keeps the folder and the list shown before.
void SettingsDialog::FolderClick() {
    if (model_.listing()) return;
    const auto folder = BrowseForFolder(window_, WideFromUtf8(kBrowseFolderTitle).c_str());
    if (!folder) return;
    SetBusyCursor(true);
    ListingPace pace(GetTickCount64());
    const FolderChoice choice = model_.ChooseFolder(
        Utf8FromWide(*folder),
        [this, &pace] {
            if (!pace.Due(GetTickCount64())) return true;
            ShowListingCount();
            return PumpWhileListing();
        },
        [this](const std::string& message) { Tell(Notice{message}); });
    SetBusyCursor(false);
    if (!unloading_) Tell(model_.NoticeAfter(choice));  // closed while the dates were read
}

void SettingsDialog::ShowListingCount() {
    HWND count = Control(kPictureCountField);
    SetWindowTextW(count, WideFromUtf8(model_.Text(kPictureCountField)).c_str());
    UpdateWindow(count);
}

// Lets the dialog handle what is pending, so the count is seen to climb; false once the
// dialog is closing or the program is asked to end (the quit message is put back).
bool SettingsDialog::PumpWhileListing() {
    return ServePendingMessages(window_) && window_ != nullptr && !unloading_;
}

// Reading the pictures' dates for the date order serves the dialog's messages at the
// listing's pace, so it answers (and can close) through a folder of thousands of pictures.
bool SettingsDialog::ServeWhileReadingDates() {
    if (!datePace_.Due(GetTickCount64())) return true;
    return PumpWhileListing();
}

// A file that cannot be read as a picture leaves the thumbnail and the size as they were.
void SettingsDialog::ShowSelectedPicture() {
    const LRESULT selected = SendMessageW(Control(kPictureList), LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return;
    model_.SelectLine(static_cast<std::size_t>(selected));
    SetBusyCursor(true);
    HWND box = Control(kThumbnailBox);
    ShowWindow(box, SW_HIDE);
    if (picture_.Read(model_.PicturePathOfLine(static_cast<std::size_t>(selected)))) {
        model_.ShowPictureSize(picture_.size().width, picture_.size().height);
        ShowThumbnail();
    }
    ShowWindow(box, SW_SHOW);
    SetBusyCursor(false);
}

// The thumbnail box takes the thumbnail's size and place at the window's DPI.
void SettingsDialog::ShowThumbnail() {
    HWND box = Control(kThumbnailBox);
    if (!box) return;
    const std::optional<PixelBox> place = picture_.FitThumbnail(dpi_);
    if (!place) return;
    SetWindowPos(box, nullptr, place->left, place->top, place->width, place->height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(box, nullptr, FALSE);
}

// Cancelling the colour dialog changes nothing.
void SettingsDialog::ColourClick(int target) {
    const auto initial = static_cast<COLORREF>(model_.LineColour(target));
    if (const std::optional<COLORREF> picked = PickColour(window_, initial)) {
        model_.ChooseColour(target, static_cast<ColourRef>(*picked));
    }
}

void SettingsDialog::OpenHomepage() {
    SetBusyCursor(true);
    OpenWithDefaultProgram(window_, WindowText(Control(kHomepageLink)));
    SetBusyCursor(false);
}

}  // namespace velnor
