// The dialog model's rules: the load order, what each click and scroll changes, the
// sample-mode and perspective enabling and the line colours (the picture-source rules are
// in dialog_model_pictures.cpp, what the model gives out in dialog_model_outputs.cpp).
#include "dialog/dialog_model.h"

#include <algorithm>

#include "dialog/control_ids.h"
#include "dialog/dialog_layout.h"
#include "settings/settings_table.h"
#include "settings/text_encoding.h"

namespace velnor {
namespace {

using namespace control_id;

constexpr int kDepthControls[] = {kDepthV, kChkRdm1, kLblRdm1};
constexpr int kSampleControls[] = {kPicSample0, kPicSample1, kLblSample0, kLblSample1};
constexpr int kFolderControls[] = {kList1,    kPicKind0, kPicKind1, kPicKind2, kPicKind3,
                                   kLblKind0, kLblKind1, kLblKind2, kLblKind3, kFolder,
                                   kIntval,   kPicSize0, kPicSize1, kLblSize0, kLblSize1};
constexpr int kTextControls[] = {kLblAsp, kLblDepth, kLblIntval, kLblKei, kLblPreSize, kFolderPath};

template <std::size_t N>
int IndexIn(const int (&ids)[N], int id) {
    const auto found = std::find(std::begin(ids), std::end(ids), id);
    return found == std::end(ids) ? -1 : static_cast<int>(found - std::begin(ids));
}

bool IsPairIndex(int index) {
    return index == 0 || index == 1;
}

}  // namespace

// Before the load every control holds its design value.
DialogModel::DialogModel(FileSystem& fileSystem, const TextEncoding& text, Listener listener)
    : fileSystem_(fileSystem), text_(text), listener_(std::move(listener)) {
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
        case kLblAsp:
            return &aspText_;
        case kLblDepth:
            return &depthText_;
        case kLblIntval:
            return &intervalText_;
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

const std::string& DialogModel::Text(int id) const {
    static const std::string kNone;
    const std::string* field = const_cast<DialogModel*>(this)->TextField(id);
    return field ? *field : kNone;
}

std::map<int, std::string> DialogModel::texts() const {
    std::map<int, std::string> all;
    for (const int id : kTextControls) all[id] = Text(id);
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

void DialogModel::Load(const SaverSettings& settings) {
    const SaverSettings& s = settings;
    draft_.pictures = s.pictures;
    draft_.pictureKinds = s.pictureKinds;
    loaded_ = true;
    SetText(kFolderPath, s.pictureFolder);
    FillListFromPictures();
    SetText(kLblPreSize, "");
    ShowSquare();
    // Values outside a bar's range show in its field, while the bar keeps its place.
    SetText(kLblAsp, std::to_string(s.aspectTenths));
    SetScroll(kAspV, -s.aspectTenths);
    ClickPerspective(s.perspectiveOn);
    SetText(kLblDepth, std::to_string(s.perspectiveDepth));
    SetScroll(kDepthV, -s.perspectiveDepth);
    for (int i = 0; i < 3; ++i) {
        SetScroll(kHRgb0 + i, s.ballColour[i]);
        SetCheck(kChkRdm0 + i, s.randomFlags[i]);
        if (i != 0) draft_.lineColours[i] = s.lineColours[i];
    }
    SetScroll(kHsFast, s.frameDelayMs);
    SelectSquare(kPicSize0, s.pictureSize);
    SetScroll(kIntval, s.pictureInterval);
    SetText(kLblIntval, std::to_string(s.pictureInterval));
    SetCheck(kChkSample, s.useSample);
    SelectSquare(kPicSample0, s.sampleChoice);
    SetScroll(kHScale, s.scale);
    Notify(kControlsChanged | kPreviewChanged);
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

// HS_Fast has no rule: the speed shows nowhere in the dialog.
void DialogModel::ChangeEvent(int id) {
    if (id == kAspV || id == kDepthV) {
        SetText(id == kAspV ? kLblAsp : kLblDepth, std::to_string(-ScrollValue(id)));
        Notify(kPreviewChanged);
    } else if (id >= kHRgb0 && id <= kHRgb2) {
        if (!sampleBallColour_) sampleBallColour_.emplace();
        (*sampleBallColour_)[static_cast<std::size_t>(id - kHRgb0)] =
            static_cast<std::int16_t>(ScrollValue(id));
        Notify(kPreviewChanged);
    } else if (id == kHScale) {
        Notify(kPreviewChanged);
    } else if (id == kIntval) {
        SetText(kLblIntval, std::to_string(ScrollValue(kIntval)));
    }
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
