// The dialog model's rules: the load order, what each click and scroll changes, the
// sample-mode and perspective enabling and the line colours (the picture-source rules are
// in dialog_model_pictures.cpp, what the model gives out in dialog_model_outputs.cpp).
#include "dialog/dialog_model.h"

#include <algorithm>

#include "dialog/control_ids.h"
#include "dialog/dialog_layout.h"
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

DialogModel::DialogModel(FileSystem& fileSystem, const TextEncoding& text, Listener listener)
    : fileSystem_(fileSystem), text_(text), listener_(std::move(listener)) {
    for (const ControlSpec& control : DialogControls()) {
        if (IsScrollBar(control.kind)) {
            scrollBars_[control.id] = ScrollBarValue(control.range, control.initialValue);
        } else if (control.kind == ControlKind::kCheckBox) {
            checks_[control.id] = control.initialValue;
        }
    }
    for (const int id : kTextControls) texts_[id] = std::string(FindControl(id)->caption);
}

void DialogModel::Notify(unsigned changes) const {
    if (listener_) listener_(changes);
}

void DialogModel::SetText(int id, std::string text) {
    texts_[id] = std::move(text);
    Notify(kControlsChanged);
}

const std::string& DialogModel::Text(int id) const {
    static const std::string kNone;
    const auto found = texts_.find(id);
    return found == texts_.end() ? kNone : found->second;
}

void DialogModel::Load(const SaverSettings& settings) {
    settings_ = settings;
    const SaverSettings& s = settings_;
    SetText(kFolderPath, s.pictureFolder);
    LoadPictureList();
    SetText(kLblPreSize, "");
    for (int i = 0; i < 4; ++i) ShowSquare(kPicKind0 + i, s.pictureKinds[i] == 1);
    // Values outside a bar's range show in its field, while the bar keeps its place.
    SetText(kLblAsp, std::to_string(s.aspectTenths));
    SetScroll(kAspV, -s.aspectTenths);
    ClickPerspective(s.perspectiveOn);
    SetText(kLblDepth, std::to_string(s.perspectiveDepth));
    SetScroll(kDepthV, -s.perspectiveDepth);
    for (int i = 0; i < 3; ++i) {
        SetScroll(kHRgb0 + i, s.ballColour[i]);
        SetCheck(kChkRdm0 + i, s.randomFlags[i]);
        if (i != 0) lineColours_[i] = s.lineColours[i];
    }
    SetScroll(kHsFast, s.frameDelayMs);
    ShowPair(kPicSize0, s.pictureSize);
    SetScroll(kIntval, s.pictureInterval);
    SetText(kLblIntval, std::to_string(s.pictureInterval));
    SetCheck(kChkSample, s.useSample);
    ShowPair(kPicSample0, s.sampleChoice);
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
        ShowPair(kPicSize0, i % 2);
    } else if (i = IndexIn(kSample, id); i >= 0) {
        ShowPair(kPicSample0, i % 2);
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

void DialogModel::ShowSquare(int id, bool selected) {
    squares_[id] = selected;
    Notify(kControlsChanged);
}

// The pair's square `index` shows selected and the other not; an index outside 0..1 (a
// hand-edited settings file) changes neither square but is stored all the same.
void DialogModel::ShowPair(int firstId, int index) {
    if (IsPairIndex(index)) ShowSquare(firstId + index, true);
    if (IsPairIndex(index ^ 1)) ShowSquare(firstId + (index ^ 1), false);
    const auto value = static_cast<std::int16_t>(index);
    (firstId == kPicSize0 ? settings_.pictureSize : settings_.sampleChoice) = value;
}

// Perspective off (0) disables the depth controls; any other value enables them.
void DialogModel::ClickPerspective(int index) {
    ShowSquare(kPicPer0, false);
    ShowSquare(kPicPer1, false);
    if (IsPairIndex(index)) ShowSquare(kPicPer0 + index, true);
    settings_.perspectiveOn = static_cast<std::int16_t>(index);
    Notify(kControlsChanged | kPreviewChanged);
}

bool DialogModel::Enabled(int id) const {
    if (IndexIn(kDepthControls, id) >= 0) return settings_.perspectiveOn != 0;
    const bool sample = CheckValue(kChkSample) == 1;
    if (IndexIn(kSampleControls, id) >= 0) return sample;
    if (IndexIn(kFolderControls, id) >= 0) return !sample;
    return true;
}

int DialogModel::ScrollValue(int id) const {
    const auto found = scrollBars_.find(id);
    return found == scrollBars_.end() ? 0 : found->second.value();
}

int DialogModel::CheckValue(int id) const {
    const auto found = checks_.find(id);
    return found == checks_.end() ? 0 : found->second;
}

std::optional<bool> DialogModel::SquareSelected(int id) const {
    const auto found = squares_.find(id);
    return found == squares_.end() ? std::nullopt : std::optional<bool>(found->second);
}

// As code sets a check box: only 0 and 1 are taken.
bool DialogModel::SetCheck(int id, int value) {
    if (!IsPairIndex(value) || !checks_.count(id)) return false;
    if (checks_[id] != value) {
        checks_[id] = value;
        Notify(kControlsChanged);
    }
    return true;
}

// As code sets a scroll bar: refused outside its range, and a change runs its Change rule.
bool DialogModel::SetScroll(int id, int value) {
    const auto found = scrollBars_.find(id);
    if (found == scrollBars_.end()) return false;
    const SetByCode result = found->second.Set(value);
    if (result == SetByCode::kChanged) {
        Notify(kControlsChanged);
        ChangeEvent(id);
    }
    return result != SetByCode::kRefused;
}

void DialogModel::Scroll(int id, ScrollAction action, int position) {
    const auto found = scrollBars_.find(id);
    if (found == scrollBars_.end()) return;
    const ScrollEvents events = found->second.Apply(action, position);
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
    lineColours_[static_cast<std::size_t>(target)] = colour;
    Notify(kPreviewChanged);
}

ColourRef DialogModel::LineColour(int target) const {
    return target == 1 || target == 2 ? lineColours_[static_cast<std::size_t>(target)] : 0;
}

}  // namespace velnor
