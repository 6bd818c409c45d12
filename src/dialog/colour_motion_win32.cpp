// The line-colour buttons "緯度" and "経度" with the system colour dialog, and the
// homepage link. The colour bars, spins and the size and interval bars are handled where
// every scroll bar is (value_changes_win32.cpp).
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <array>

#include "dialog/control_ids.h"
#include "dialog/dialog_window_win32.h"
#include "settings/wide_text_win32.h"

namespace velnor {

using namespace control_id;

// Index 1 chooses the parallels' colour, 2 the meridians'. The custom colours are the
// system colours 0..15 every time; the part of the dialog that defines new custom colours
// cannot be opened. Cancelling changes nothing and does not redraw.
void SettingsDialog::CmdColorClick(int index) {
    if (index != 1 && index != 2) return;
    std::array<COLORREF, 16> custom{};
    for (int i = 0; i < 16; ++i) custom[static_cast<std::size_t>(i)] = GetSysColor(i);
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = window_;
    choose.hInstance = reinterpret_cast<HWND>(instance_);
    choose.rgbResult = 0;
    choose.lpCustColors = custom.data();
    choose.Flags = CC_PREVENTFULLOPEN;
    if (!ChooseColorW(&choose)) return;
    lineColourSwatch_[static_cast<std::size_t>(index)] = static_cast<ColourRef>(choose.rgbResult);
    RedrawPreview();
}

// Opens the address lbl_URL shows with the system's default program for it. The result
// is not examined: the dialog has nothing useful to say when no browser opens.
void SettingsDialog::LblUrlMouseDown() {
    SetBusyCursor(true);
    const std::wstring address = WideFromUtf8(Text(kLblUrl));
    ShellExecuteW(window_, L"open", address.c_str(), L"", L"", SW_SHOWNORMAL);
    SetBusyCursor(false);
}

}  // namespace velnor
