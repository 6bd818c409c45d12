// The dialog model's rules: the load order, what each click and scroll changes, the
// sample-mode and perspective enabling and the line colours (the picture-source rules are
// in dialog_model_pictures.cpp, what the model gives out in dialog_model_outputs.cpp).
#include "dialog/dialog_model.h"

#include <algorithm>

#include "dialog/control_ids.h"
#include "dialog/dialog_layout.h"
#include "settings/settings_table.h"

namespace velnor {
namespace {

using namespace control_id;

constexpr int kDepthControls[] = {kDepthV, kChkRdm1, kLblRdm1};
constexpr int kSampleControls[] = {kPicSample0, kPicSample1, kLblSample0, kLblSample1};
constexpr int kFolderControls[] = {kList1,    kPicKind0, kPicKind1, kPicKind2, kPicKind3,
                                   kLblKind0, kLblKind1, kLblKind2, kLblKind3, kFolder,
                                   kIntval,   kPicSize0, kPicSize1, kLblSize0, kLblSize1};
constexpr int kPreviewInputs[] = {kAspV, kDepthV, kHRgb0, kHRgb1, kHRgb2, kHScale};

template <std::size_t N>
int IndexIn(const int (&ids)[N], int id) {
    const auto found = std::find(std::begin(ids), std::end(ids), id);
    return found == std::end(ids) ? -1 : static_cast<int>(found - std::begin(ids));
}

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
DialogModel::DialogModel(FileSystem& fileSystem, Listener listener)
    : fileSystem_(fileSystem), listener_(std::move(listener)) {
    for (const ControlSpec& control : DialogControls()) {
        if (IsScrollBar(control.kind) || control.kind == ControlKind::kCheckBox) {
            StoreControlValue(control.id, control.initialValue);
        }
    }
    pictureSizeText_ = std::string(FindControl(kLblPreSize)->caption);
}

void DialogModel::Notify(unsigned changes) const {
    if (listener_) listener_(changes);
}

std::string* DialogModel::TextField(int id) {
    switch (id) {
        case kLblKei:
            return &countText_;
        case kLblPreSize:
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

// A value field that shows a setting shows it from the load on.
std::string DialogModel::Text(int id) const {
    if (const SettingRow* row = RowShownBy(id);
        row && FindControl(id)->kind == ControlKind::kValueField) {
        return loaded_ ? std::to_string(NumberOf(*row, shown_)) : std::string{};
    }
    const std::string* field = const_cast<DialogModel*>(this)->TextField(id);
    return field ? *field : std::string{};
}

std::map<int, std::string> DialogModel::texts() const {
    std::map<int, std::string> all;
    for (const ControlSpec& control : DialogControls()) {
        if (control.kind == ControlKind::kValueField || control.kind == ControlKind::kPathField ||
            control.id == kLblPreSize) {
            all[control.id] = Text(control.id);
        }
    }
    return all;
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
// colour buttons choose) are taken as they are.
void DialogModel::Load(const SaverSettings& settings) {
    draft_.pictures = settings.pictures;
    shown_ = settings;
    loaded_ = true;
    storedFolder_.reset();
    for (const SettingRow& row : SettingRows()) {
        if (!ControlShowing(row)) CopySetting(row, settings, draft_);
    }
    LoadPictureList();
    SetText(kLblPreSize, "");
    for (const ControlSpec& control : DialogControls()) LoadControl(control, settings);
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

bool DialogModel::Click(int id) {
    static constexpr int kPer[] = {kPicPer0, kPicPer1, kLblPer0, kLblPer1};
    static constexpr int kSize[] = {kPicSize0, kPicSize1, kLblSize0, kLblSize1};
    static constexpr int kSample[] = {kPicSample0, kPicSample1, kLblSample0, kLblSample1};
    static constexpr int kKind[] = {kPicKind0, kPicKind1, kPicKind2, kPicKind3,
                                    kLblKind0, kLblKind1, kLblKind2, kLblKind3};
    static constexpr int kRandom[] = {kChkRdm0, kChkRdm1, kChkRdm2, kLblRdm0, kLblRdm1, kLblRdm2};
    if (int i = IndexIn(kPer, id); i >= 0) {
        ClickPerspective(i % 2);
    } else if (i = IndexIn(kSize, id); i >= 0) {
        SelectSquare(kPicSize0, i % 2);
    } else if (i = IndexIn(kSample, id); i >= 0) {
        SelectSquare(kPicSample0, i % 2);
    } else if (i = IndexIn(kKind, id); i >= 0) {
        ClickKind(i % 4);
    } else if (i = IndexIn(kRandom, id); i >= 0) {
        SetCheck(kChkRdm0 + i % 3, CheckValue(kChkRdm0 + i % 3) ^ 1);
    } else if (id == kChkSample || id == kLblSample) {
        SetCheck(kChkSample, CheckValue(kChkSample) ^ 1);
    } else {
        return false;
    }
    return true;
}

// The squares paint themselves from the draft (SquareSelected); the view is told.
void DialogModel::ShowSquare() {
    Notify(kControlsChanged);
}

// Stores the value of the pair whose first square is `firstSquare`; an index outside
// 0..1 (a hand-edited settings file) selects neither square but is stored all the same.
void DialogModel::SelectSquare(int firstSquare, int index) {
    if (const SettingRow* row = FindSetting(FindControl(firstSquare)->shows)) {
        SetNumber(*row, draft_, index);
    }
    ShowSquare();
}

// Perspective off (0) disables the depth controls; any other value enables them.
void DialogModel::ClickPerspective(int index) {
    SelectSquare(kPicPer0, index);
    Notify(kControlsChanged | kPreviewChanged);
}

bool DialogModel::Enabled(int id) const {
    if (IndexIn(kDepthControls, id) >= 0) return draft_.perspectiveOn != 0;
    const bool sample = CheckValue(kChkSample) == 1;
    if (IndexIn(kSampleControls, id) >= 0) return sample;
    if (IndexIn(kFolderControls, id) >= 0) return !sample;
    return true;
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
// pair before the chosen one; the other pairs leave both as they were for a value that
// is neither 0 nor 1.
std::optional<bool> DialogModel::SquareSelected(int id) const {
    const ControlSpec* control = FindControl(id);
    const SettingRow* row = control ? FindSetting(control->shows) : nullptr;
    if (!loaded_ || !row || control->kind != ControlKind::kOptionSquare) return std::nullopt;
    const long long value = NumberOf(*row, draft_);
    if (control->selects < 0) return value == 1;
    if (value == control->selects) return true;
    if (IsPairIndex(static_cast<int>(value)) || id == kPicPer0 || id == kPicPer1) return false;
    return std::nullopt;
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
    if (id != kAspV && id != kDepthV) ChangeEvent(id);
}

// A bar's value field shows the new value; the colour bars paint the sample ball; the
// preview's inputs redraw it. HS_Fast has no rule: the speed shows nowhere in the dialog.
void DialogModel::ChangeEvent(int id) {
    const SettingRow* row = RowShownBy(id);
    if (row && ControlShowing(*row, ControlKind::kValueField)) {
        SetNumber(*row, shown_, NumberOf(*row, draft_));
        Notify(kControlsChanged);
    }
    if (id >= kHRgb0 && id <= kHRgb2) {
        if (!sampleBallColour_) sampleBallColour_.emplace();
        (*sampleBallColour_)[static_cast<std::size_t>(id - kHRgb0)] =
            static_cast<std::int16_t>(ScrollValue(id));
    }
    if (IndexIn(kPreviewInputs, id) >= 0) Notify(kPreviewChanged);
}

void DialogModel::ChooseColour(int target, ColourRef colour) {
    if (target != 1 && target != 2) return;
    draft_.lineColours[static_cast<std::size_t>(target)] = colour;
    Notify(kPreviewChanged);
}

ColourRef DialogModel::LineColour(int target) const {
    return target == 1 || target == 2 ? draft_.lineColours[static_cast<std::size_t>(target)] : 0;
}

}  // namespace velnor
