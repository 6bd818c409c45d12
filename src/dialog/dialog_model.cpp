// The dialog model's rules: the load order, what each click and scroll changes, the
// sample-mode and perspective enabling and the line colours (the picture-source rules are
// in dialog_model_pictures.cpp, what the model gives out in dialog_model_outputs.cpp).
#include "dialog/dialog_model.h"

#include "dialog/control_ids.h"
#include "dialog/dialog_layout.h"
#include "settings/settings_table.h"

namespace velnor {
namespace {

using namespace control_id;

bool IsPairIndex(int index) {
    return index == 0 || index == 1;
}

// The settings-table row control `id` shows, or nullptr.
const SettingRow* RowShownBy(int id) {
    const ControlSpec* control = FindControl(id);
    return control ? FindSetting(control->shows) : nullptr;
}

// The first control of `kind` that shows `row`, or nullptr.
const ControlSpec* ControlShowing(const SettingRow& row, std::optional<ControlKind> kind = {}) {
    for (const ControlSpec& control : DialogControls()) {
        if (control.shows == row.name && (!kind || control.kind == *kind)) return &control;
    }
    return nullptr;
}

}  // namespace

// Before the load every control holds the initial value of its layout row.
DialogModel::DialogModel(FileSystem& fileSystem, Listener listener, DateReading dates)
    : fileSystem_(fileSystem), listener_(std::move(listener)), dateReading_(std::move(dates)) {
    for (const ControlSpec& control : DialogControls()) {
        if (IsScrollBar(control.kind) || control.kind == ControlKind::kCheckBox) {
            StoreControlValue(control.id, control.initialValue);
        }
    }
    pictureSizeText_ = std::string(FindControl(kPictureSizeText)->caption);
}

void DialogModel::Notify(unsigned changes) const {
    if (listener_) listener_(changes);
}

std::string* DialogModel::TextField(int id) {
    switch (id) {
        case kPictureCountField:
            return &countText_;
        case kPictureSizeText:
            return &pictureSizeText_;
        case kFolderPath:
            return &draft_.pictureFolder;
        default:
            return nullptr;
    }
}

void DialogModel::SetText(int id, std::string text) {
    if (std::string* field = TextField(id)) *field = std::move(text);
    Notify(kControlsChanged);
}

// A scroll bar's or check box's value from the setting it shows (spins negated).
int DialogModel::ControlValue(int id) const {
    const ControlSpec* control = FindControl(id);
    const SettingRow* row = control ? FindSetting(control->shows) : nullptr;
    if (!row) return 0;
    const auto value = static_cast<int>(NumberOf(*row, draft_));
    return control->kind == ControlKind::kSpin ? -value : value;
}

void DialogModel::StoreControlValue(int id, int value) {
    const ControlSpec* control = FindControl(id);
    const SettingRow* row = control ? FindSetting(control->shows) : nullptr;
    if (row) SetNumber(*row, draft_, control->kind == ControlKind::kSpin ? -value : value);
}

// Every control takes the setting it shows, in the layout's order; setting a bar or a
// check box runs its change rule. Rows no control shows (the line colours, which the
// colour buttons choose) are taken as they are. The stored list is shown last, under the
// folder and in the order loaded.
void DialogModel::Load(const SaverSettings& settings) {
    draft_.pictures = settings.pictures;
    shown_ = settings;
    loaded_ = true;
    storedFolder_.reset();
    for (const SettingRow& row : SettingRows()) {
        if (!ControlShowing(row)) CopySetting(row, settings, draft_);
    }
    SetText(kPictureSizeText, "");
    for (const ControlSpec& control : DialogControls()) LoadControl(control, settings);
    LoadPictureList();
    Notify(kControlsChanged | kPreviewChanged);
}

void DialogModel::LoadControl(const ControlSpec& control, const SaverSettings& settings) {
    const SettingRow* row = FindSetting(control.shows);
    if (!row) return;
    if (const std::string* text = TextOf(*row, settings)) {
        SetText(control.id, *text);
        return;
    }
    const auto value = static_cast<int>(NumberOf(*row, settings));
    if (IsScrollBar(control.kind)) {
        // Refused outside the bar's range: the bar keeps its place, its field the number.
        SetScroll(control.id, control.kind == ControlKind::kSpin ? -value : value);
    } else if (control.kind == ControlKind::kCheckBox) {
        SetCheck(control.id, value);
    } else if (control.kind == ControlKind::kOptionSquare && control.selects <= 0) {
        // A kind square, or the first square of a pair: the value is held as stored.
        SetNumber(*row, draft_, value);
        ShowSquare();
    }
}

// A click on a caption is a click on its control. A check box switches its setting (the
// subfolders' one lists the folder again), a
// square of a pair stores the value it stands for, a picture-kind square switches its kind.
bool DialogModel::Click(int id) {
    const ControlSpec* control = FindControl(id);
    if (control && control->kind == ControlKind::kClickableCaption) {
        control = FindControl(control->partner);
    }
    const SettingRow* row = control ? FindSetting(control->shows) : nullptr;
    if (!row) return false;
    if (control->kind == ControlKind::kCheckBox) {
        SetCheck(control->id, CheckValue(control->id) ^ 1);
        if (row->name == "subfolders") ListFolderAgain();
    } else if (control->kind == ControlKind::kOptionSquare && control->selects >= 0) {
        SelectSquare(*control, *row);
    } else if (control->kind == ControlKind::kOptionSquare) {
        ClickKind(*row);
    } else {
        return false;
    }
    return true;
}

// The squares paint themselves from the draft (SquareSelected); the view is told.
void DialogModel::ShowSquare() {
    Notify(kControlsChanged);
}

// Stores the value `square` stands for. The perspective squares also enable or disable
// the depth controls (any value but 0 enables them) and redraw the still picture; the
// order squares put the list in their order.
void DialogModel::SelectSquare(const ControlSpec& square, const SettingRow& row) {
    SetNumber(row, draft_, square.selects);
    ShowSquare();
    if (row.name == "order") ArrangeList();
    if (square.feedsPreview) Notify(kControlsChanged | kPreviewChanged);
}

// A caption is enabled with its control; a control with an enabling setting while that
// setting is not 0 (or, for the folder's controls, while it is 0).
bool DialogModel::Enabled(int id) const {
    const ControlSpec* control = FindControl(id);
    if (control && control->kind == ControlKind::kClickableCaption) {
        control = FindControl(control->partner);
    }
    const SettingRow* row = control ? FindSetting(control->enabledBy) : nullptr;
    return !row || (NumberOf(*row, draft_) != 0) != control->enabledWhileZero;
}

// As code sets a check box: only 0 and 1 are taken.
bool DialogModel::SetCheck(int id, int value) {
    const ControlSpec* control = FindControl(id);
    if (!IsPairIndex(value) || !control || control->kind != ControlKind::kCheckBox) return false;
    if (CheckValue(id) != value) {
        StoreControlValue(id, value);
        Notify(kControlsChanged);
    }
    return true;
}

// As code sets a scroll bar: refused outside its range, and a change runs its Change rule.
bool DialogModel::SetScroll(int id, int value) {
    const ControlSpec* control = FindControl(id);
    if (!control || !IsScrollBar(control->kind)) return false;
    ScrollBarValue bar(control->range, ScrollValue(id));
    const SetByCode result = bar.Set(value);
    if (result == SetByCode::kChanged) {
        StoreControlValue(id, bar.value());
        Notify(kControlsChanged);
        ChangeEvent(id);
    }
    return result != SetByCode::kRefused;
}

void DialogModel::Scroll(int id, ScrollAction action, int position) {
    const ControlSpec* control = FindControl(id);
    if (!control || !IsScrollBar(control->kind)) return;
    std::optional<int> before;
    if (drag_ && drag_->first == id) before = drag_->second;
    ScrollBarValue bar(control->range, ScrollValue(id), before);
    const ScrollEvents events = bar.Apply(action, position);
    StoreControlValue(id, bar.value());
    drag_.reset();
    if (bar.valueBeforeDrag()) drag_.emplace(id, *bar.valueBeforeDrag());
    Notify(kControlsChanged);
    if (events.scroll) ScrollEvent(id);
    if (events.change) ChangeEvent(id);
}

// The spins have no Scroll rule; every other bar treats a drag step as a change.
void DialogModel::ScrollEvent(int id) {
    if (FindControl(id)->kind != ControlKind::kSpin) ChangeEvent(id);
}

// A bar's value field shows the new value; the colour bars paint the sample ball; the
// preview's inputs redraw it. The speed bar has no rule: the speed shows nowhere in the dialog.
void DialogModel::ChangeEvent(int id) {
    const SettingRow* row = RowShownBy(id);
    if (row && ControlShowing(*row, ControlKind::kValueField)) {
        SetNumber(*row, shown_, NumberOf(*row, draft_));
        Notify(kControlsChanged);
    }
    if (id >= kBallRedBar && id <= kBallBlueBar) {
        if (!sampleBallColour_) sampleBallColour_.emplace();
        (*sampleBallColour_)[static_cast<std::size_t>(id - kBallRedBar)] =
            static_cast<std::int16_t>(ScrollValue(id));
    }
    if (FindControl(id)->feedsPreview) Notify(kPreviewChanged);
}

void DialogModel::ChooseColour(int target, ColourRef colour) {
    if (target != 1 && target != 2) return;
    draft_.lineColours[static_cast<std::size_t>(target)] = colour;
    Notify(kPreviewChanged);
}
}  // namespace velnor
