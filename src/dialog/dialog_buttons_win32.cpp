// The three buttons and the close box: "設定" writes the controls' values, "初期設定" the
// factory texts, "ｷｬﾝｾﾙ" and the close box nothing; each then zooms closed towards the
// point the dialog opened from and destroys the window, which ends the run.
#include <windows.h>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"

namespace velnor {

using namespace control_id;

void SettingsDialog::CmdOkClick() {
    DialogValues v;
    v.aspValue = static_cast<std::int16_t>(ScrollValue(kAspV));
    v.perspectiveOn = settings_.perspectiveOn;
    v.depthValue = static_cast<std::int16_t>(ScrollValue(kDepthV));
    for (int i = 0; i < 3; ++i) {
        v.rgbValues[i] = static_cast<std::int16_t>(ScrollValue(kHRgb0 + i));
        v.randomChecks[i] = static_cast<std::int16_t>(CheckValue(kChkRdm0 + i));
    }
    v.lineColours = lineColourSwatch_;
    v.fastValue = static_cast<std::int16_t>(ScrollValue(kHsFast));
    v.scaleValue = static_cast<std::int16_t>(ScrollValue(kHScale));
    v.folderText = Text(kFolderPath);
    settings_.pictureFolder = v.folderText;
    v.pictureKinds = settings_.pictureKinds;
    v.pictureSize = settings_.pictureSize;
    v.intervalValue = static_cast<std::int16_t>(ScrollValue(kIntval));
    v.sampleCheck = static_cast<std::int16_t>(CheckValue(kChkSample));
    v.sampleChoice = settings_.sampleChoice;
    WriteOrWarn(ApplyEntries(v, *MakePlatformTextEncoding()));
    FormUnload();
}

void SettingsDialog::CmdInitClick() {
    WriteOrWarn(FactoryEntries());
    FormUnload();
}

void SettingsDialog::CmdCanClick() {
    FormUnload();
}

// A user whose settings could not be saved anywhere is told so before the dialog closes;
// the dialog then closes as after a save.
void SettingsDialog::WriteOrWarn(const std::vector<IniEntry>& entries) {
    if (WriteSettingsEntries(entries, location_)) return;
    MessageBoxW(window_,
                L"設定を保存できませんでした。\n"
                L"設定ファイルに書き込めないため、変更は反映されません。",
                kDialogTitle, MB_OK | MB_ICONWARNING);
}

void SettingsDialog::FormUnload() {
    if (unloading_) return;
    unloading_ = true;
    ZoomToPoint(window_, zoomOrigin_);
    DestroyWindow(window_);
}

}  // namespace velnor
