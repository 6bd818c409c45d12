// The focus rules of the settings dialog, read from the control table and the model.
#include "dialog/dialog_focus.h"

#include <vector>

#include "dialog/control_ids.h"

namespace velnor {

using namespace control_id;

int FocusTarget(const DialogModel& model, int id) {
    const std::vector<int> group = OptionGroup(id);
    if (group.empty()) return id;
    for (const int member : group) {
        if (model.SquareSelected(member).value_or(false)) return member;
    }
    return group.front();
}

int FirstFocusStop(const DialogModel& model) {
    for (const int id : TabOrder()) {
        const int target = FocusTarget(model, id);
        if (model.Enabled(target)) return target;
    }
    return 0;
}

std::optional<Mnemonic> MnemonicAction(const DialogModel& model, char letter) {
    std::optional<Mnemonic> mnemonic = MnemonicOf(letter);
    if (!mnemonic) return std::nullopt;
    mnemonic->target = FocusTarget(model, mnemonic->target);
    if (!model.Enabled(mnemonic->target)) return std::nullopt;
    return mnemonic;
}

int DefaultButtonFor(int focused) {
    const ControlSpec* control = FindControl(focused);
    return control && control->kind == ControlKind::kButton ? focused : kSaveButton;
}

int FocusOnPress(const DialogModel& model, int id) {
    const ControlSpec* control = FindControl(id);
    if (!control) return 0;
    const int target = control->partner != 0 ? control->partner : id;
    const ControlSpec* targetEntry = FindControl(target);
    if (!targetEntry || !TakesFocus(*targetEntry) || !model.Enabled(target)) return 0;
    return target;
}

}  // namespace velnor
