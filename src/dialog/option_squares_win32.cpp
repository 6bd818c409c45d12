// Option squares and check boxes: perspective, picture size, sample choice and picture
// kinds (squares shown yellow and sunken when selected, grey and raised when not), the
// sample-mode switch with its enabling rule, and the "ﾗﾝﾀﾞﾑ" captions.
#include <windows.h>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"
#include "settings/picture_scan.h"

namespace velnor {

using namespace control_id;

namespace {

bool IsPairIndex(int index) {
    return index == 0 || index == 1;
}

void Enable(HWND control, bool enabled) {
    EnableWindow(control, enabled ? TRUE : FALSE);
}

}  // namespace

void SettingsDialog::ShowSquare(int id, bool selected) {
    HWND square = Control(id);
    if (!square) return;
    squareSelected_[id] = selected;
    // Readable by the end-to-end driver: 1 when shown selected.
    SetWindowLongPtrW(square, GWLP_USERDATA, selected ? 1 : 0);
    InvalidateRect(square, nullptr, FALSE);
}

// An index outside 0..1 (a hand-edited settings file) selects no square but is stored.
void SettingsDialog::PicPerClick(int index) {
    ShowSquare(kPicPer0, false);
    ShowSquare(kPicPer1, false);
    if (IsPairIndex(index)) ShowSquare(kPicPer0 + index, true);
    settings_.perspectiveOn = static_cast<std::int16_t>(index);
    RedrawPreview();
    for (const int id : {kDepthV, kChkRdm1, kLblRdm1}) Enable(Control(id), index != 0);
}

void SettingsDialog::PicSizeClick(int index) {
    if (IsPairIndex(index)) ShowSquare(kPicSize0 + index, true);
    if (IsPairIndex(index ^ 1)) ShowSquare(kPicSize0 + (index ^ 1), false);
    settings_.pictureSize = static_cast<std::int16_t>(index);
}

void SettingsDialog::PicSample12Click(int index) {
    if (IsPairIndex(index)) ShowSquare(kPicSample0 + index, true);
    if (IsPairIndex(index ^ 1)) ShowSquare(kPicSample0 + (index ^ 1), false);
    settings_.sampleChoice = static_cast<std::int16_t>(index);
}

void SettingsDialog::PicKindClick(int index) {
    if (index < 0 || index > 3) return;
    std::int16_t& kind = settings_.pictureKinds[static_cast<std::size_t>(index)];
    kind = kind != 0 ? 0 : 1;
    ShowSquare(kPicKind0 + index, kind == 1);
    settings_.pictureFolder = Text(kFolderPath);
    if (!FolderExists(settings_.pictureFolder, *fileSystem_)) return;
    ScanPictureFolder(settings_.pictureFolder, settings_.pictureKinds, settings_.pictures,
                      *fileSystem_);
    FillListFromPictures();
    ShowListCount();  // also when the scan found nothing, which the fill leaves alone
}

void SettingsDialog::SetSampleMode(bool useSample) {
    for (const int id : {kPicSample0, kPicSample1, kLblSample0, kLblSample1}) {
        Enable(Control(id), useSample);
    }
    for (const int id :
         {kList1, kPicKind0, kPicKind1, kPicKind2, kPicKind3, kLblKind0, kLblKind1, kLblKind2,
          kLblKind3, kFolder, kIntval, kPicSize0, kPicSize1, kLblSize0, kLblSize1}) {
        Enable(Control(id), !useSample);
    }
}

void SettingsDialog::ChkSampleClick() {
    SetSampleMode(CheckValue(kChkSample) == 1);
}

void SettingsDialog::LblSampleClick() {
    SetCheckValue(kChkSample, CheckValue(kChkSample) ^ 1);
    SetSampleMode(CheckValue(kChkSample) == 1);
}

void SettingsDialog::LblRdmClick(int index) {
    SetCheckValue(kChkRdm0 + index, CheckValue(kChkRdm0 + index) ^ 1);
}

// Sets a check box as code does: only 0 and 1 are accepted, and a change of Chk_Sample
// runs its click handler as a click would.
bool SettingsDialog::SetCheckValue(int id, int value) {
    if (!IsPairIndex(value)) return false;
    if (CheckValue(id) == value) return true;
    SendMessageW(Control(id), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (id == kChkSample) ChkSampleClick();
    return true;
}

int SettingsDialog::CheckValue(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

}  // namespace velnor
