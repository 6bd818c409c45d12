// The dialog's keyboard: the focus when the dialog opens and when it is activated again,
// the default push button (the focused one, else "設定") that Enter clicks, and the
// Alt+letter keys, an accelerator table that the message loop translates.
#include <windows.h>

#include <optional>
#include <vector>

#include "dialog/control_ids.h"
#include "dialog/dialog_focus.h"
#include "dialog/dialog_window_win32.h"
#include "ui/control_helpers_win32.h"

namespace velnor {

using namespace control_id;

void SettingsDialog::MakeKeys() {
    std::vector<char> letters;
    for (const Mnemonic& mnemonic : Mnemonics()) letters.push_back(mnemonic.letter);
    keys_ = MakeAltLetterKeys(letters);
    if (keys_) SetPropW(window_, kDialogKeysProperty, keys_.get());
    SetDefaultButton(kSaveButton);
}

// A button's letter clicks it as the mouse does; a heading's letter moves the focus to the
// first control of its group (an option pair's selected square).
void SettingsDialog::OnMnemonic(char letter) {
    const std::optional<Mnemonic> action = MnemonicAction(model_, letter);
    if (!action) return;
    if (action->clicks) {
        SendMessageW(Control(action->target), BM_CLICK, 0, 0);
    } else {
        SetFocus(Control(action->target));
    }
}

void SettingsDialog::OnChildFocus(HWND child, bool gained) {
    if (gained) lastFocus_ = child;
    SetDefaultButton(gained ? DefaultButtonFor(IdOf(child)) : kSaveButton);
}

// The default push button shows the thicker frame; only one has it.
void SettingsDialog::SetDefaultButton(int id) {
    for (const ControlSpec& control : DialogControls()) {
        if (control.kind == ControlKind::kButton) {
            SetDefaultPushButton(Control(control.id), control.id == id);
        }
    }
}

// Back to the control that had the focus, else the first one that can take it.
void SettingsDialog::RestoreFocus() {
    if (lastFocus_ && IsChild(window_, lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
    } else if (HWND first = Control(FirstFocusStop(model_))) {
        SetFocus(first);
    }
}

}  // namespace velnor
