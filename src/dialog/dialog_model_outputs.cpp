// What the dialog model gives out from its values: the inputs of the still picture and
// the entries that "設定" (every value as the dialog shows it) and "初期設定" (the factory
// settings) write.
#include "dialog/control_ids.h"
#include "dialog/dialog_model.h"

namespace velnor {

using namespace control_id;

PreviewInputs DialogModel::Preview() const {
    PreviewInputs inputs;
    inputs.aspValue = ScrollValue(kAspV);
    inputs.depthValue = ScrollValue(kDepthV);
    inputs.scaleValue = ScrollValue(kHScale);
    inputs.perspectiveOn = settings_.perspectiveOn;
    inputs.parallelColour = lineColours_[1];
    inputs.meridianColour = lineColours_[2];
    inputs.sampleColour = sampleBallColour_;
    return inputs;
}

std::vector<IniEntry> DialogModel::EntriesToWrite(int buttonId) const {
    if (buttonId == kCmdInit) return FactoryEntries();
    if (buttonId != kCmdOk) return {};
    DialogValues v;
    v.aspValue = static_cast<std::int16_t>(ScrollValue(kAspV));
    v.perspectiveOn = settings_.perspectiveOn;
    v.depthValue = static_cast<std::int16_t>(ScrollValue(kDepthV));
    for (int i = 0; i < 3; ++i) {
        v.rgbValues[i] = static_cast<std::int16_t>(ScrollValue(kHRgb0 + i));
        v.randomChecks[i] = static_cast<std::int16_t>(CheckValue(kChkRdm0 + i));
    }
    v.lineColours = lineColours_;
    v.fastValue = static_cast<std::int16_t>(ScrollValue(kHsFast));
    v.scaleValue = static_cast<std::int16_t>(ScrollValue(kHScale));
    v.folderText = Text(kFolderPath);
    v.pictureKinds = settings_.pictureKinds;
    v.pictureSize = settings_.pictureSize;
    v.intervalValue = static_cast<std::int16_t>(ScrollValue(kIntval));
    v.sampleCheck = static_cast<std::int16_t>(CheckValue(kChkSample));
    v.sampleChoice = settings_.sampleChoice;
    return ApplyEntries(v, text_);
}

}  // namespace velnor
