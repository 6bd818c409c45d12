// What the dialog model gives out from its values: the controls' texts, positions, check
// marks and squares, the inputs of the still picture and the entries that "設定" (every
// value as the dialog shows it) and "初期設定" (the factory settings) write.
#include "dialog/control_ids.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_model.h"
#include "settings/settings_table.h"

namespace velnor {

using namespace control_id;

// A value field that shows a setting shows it from the load on.
std::string DialogModel::Text(int id) const {
    const ControlSpec* control = FindControl(id);
    const SettingRow* row = control ? FindSetting(control->shows) : nullptr;
    if (row && control->kind == ControlKind::kValueField) {
        return loaded_ ? std::to_string(NumberOf(*row, shown_)) : std::string{};
    }
    const std::string* field = const_cast<DialogModel*>(this)->TextField(id);
    return field ? *field : std::string{};
}

std::map<int, std::string> DialogModel::texts() const {
    std::map<int, std::string> all;
    for (const ControlSpec& control : DialogControls()) {
        if (control.kind == ControlKind::kValueField || control.kind == ControlKind::kPathField ||
            control.id == kPictureSizeText) {
            all[control.id] = Text(control.id);
        }
    }
    return all;
}

int DialogModel::ScrollValue(int id) const {
    const ControlSpec* control = FindControl(id);
    return control && IsScrollBar(control->kind) ? ControlValue(id) : 0;
}

int DialogModel::CheckValue(int id) const {
    const ControlSpec* control = FindControl(id);
    return control && control->kind == ControlKind::kCheckBox ? ControlValue(id) : 0;
}

// Kind squares show selected for 1. The perspective rule paints both squares of its
// pair before the chosen one; the other groups leave every square as it was for a value
// that none of them stands for.
std::optional<bool> DialogModel::SquareSelected(int id) const {
    const ControlSpec* control = FindControl(id);
    const SettingRow* row = control ? FindSetting(control->shows) : nullptr;
    if (!loaded_ || !row || control->kind != ControlKind::kOptionSquare) return std::nullopt;
    const long long value = NumberOf(*row, draft_);
    if (control->selects < 0) return value == 1;
    if (value == control->selects) return true;
    if (id == kPerspectiveOff || id == kPerspectiveOn) return false;
    for (const int member : OptionGroup(id)) {
        if (FindControl(member)->selects == value) return false;
    }
    return std::nullopt;
}

ColourRef DialogModel::LineColour(int target) const {
    return target == 1 || target == 2 ? draft_.lineColours[static_cast<std::size_t>(target)] : 0;
}

PreviewInputs DialogModel::Preview() const {
    PreviewInputs inputs;
    inputs.shapeValue = ScrollValue(kShapeSpin);
    inputs.depthValue = ScrollValue(kDepthSpin);
    inputs.scaleValue = ScrollValue(kSizeBar);
    inputs.perspectiveOn = draft_.perspectiveOn;
    inputs.parallelColour = draft_.lineColours[1];
    inputs.meridianColour = draft_.lineColours[2];
    inputs.sampleColour = sampleBallColour_;
    return inputs;
}

std::vector<IniEntry> DialogModel::EntriesToWrite(int buttonId) const {
    if (buttonId == kFactoryButton) return FactoryEntries();
    if (buttonId != kSaveButton) return {};
    if (!storedFolder_) return ApplyEntries(draft_);
    SaverSettings written = draft_;
    written.pictureFolder = *storedFolder_;
    return ApplyEntries(written);
}

}  // namespace velnor
