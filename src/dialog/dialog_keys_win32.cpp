// The dialog's keyboard: the focus when the dialog opens and when it is activated again,
// the default push button (the focused one, else "設定") that Enter clicks, and the
// Alt+letter keys, an accelerator table that the message loop translates.
#include <windows.h>

#include <vector>

#include "dialog/control_ids.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_window_win32.h"
#include "ui/control_helpers_win32.h"

namespace velnor {

using namespace control_id;

void SettingsDialog::MakeKeys() {
    std::vector<char> letters;
    for (const Mnemonic& mnemonic : Mnemonics()) letters.push_back(mnemonic.letter);
    keys_.reset(MakeAltLetterKeys(letters));
    if (keys_) SetPropW(window_, kDialogKeysProperty, keys_.get());
    SetDefaultButton(kSaveButton);
}

// A button's letter clicks it as the mouse does; a heading's letter moves the focus to the
// first control of its group (an option pair's selected square).
void SettingsDialog::OnMnemonic(char letter) {
    const std::optional<Mnemonic> mnemonic = MnemonicOf(letter);
    if (!mnemonic) return;
    HWND target = SelectedOfPair(Control(mnemonic->target));
    if (!target || !IsWindowEnabled(target)) return;
    if (mnemonic->clicks) {
        SendMessageW(target, BM_CLICK, 0, 0);
    } else {
        SetFocus(target);
    }
}

void SettingsDialog::OnChildFocus(HWND child, bool gained) {
    const ControlSpec* control = FindControl(IdOf(child));
    if (gained) lastFocus_ = child;
    const bool button = gained && control && control->kind == ControlKind::kButton;
    SetDefaultButton(button ? control->id : kSaveButton);
}

// The default push button shows the thicker frame; only one has it.
void SettingsDialog::SetDefaultButton(int id) {
    defaultButton_ = id;
    for (const ControlSpec& control : DialogControls()) {
        if (control.kind == ControlKind::kButton) {
            SetDefaultPushButton(Control(control.id), control.id == id);
        }
    }
}

void SettingsDialog::RememberFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
}

// Back to the control that had the focus, else the first one that can take it.
void SettingsDialog::RestoreFocus() {
    if (lastFocus_ && IsChild(window_, lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
        return;
    }
    for (const int id : TabOrder()) {
        HWND control = SelectedOfPair(Control(id));
        if (control && IsWindowEnabled(control) && IsWindowVisible(control)) {
            SetFocus(control);
            return;
        }
    }
}

HWND SettingsDialog::SelectedOfPair(HWND square) const {
    const int id = IdOf(square);
    const std::vector<int> group = OptionGroup(id);
    if (group.empty()) return square;
    for (const int member : group) {
        if (model_.SquareSelected(member).value_or(false)) return Control(member);
    }
    return Control(group.front());  // a value no square stands for: the first one
}

}  // namespace velnor
