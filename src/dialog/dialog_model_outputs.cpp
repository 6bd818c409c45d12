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
    inputs.perspectiveOn = draft_.perspectiveOn;
    inputs.parallelColour = draft_.lineColours[1];
    inputs.meridianColour = draft_.lineColours[2];
    inputs.sampleColour = sampleBallColour_;
    return inputs;
}

std::vector<IniEntry> DialogModel::EntriesToWrite(int buttonId) const {
    if (buttonId == kCmdInit) return FactoryEntries();
    if (buttonId != kCmdOk) return {};
    if (!storedFolder_) return ApplyEntries(draft_);
    SaverSettings written = draft_;
    written.pictureFolder = *storedFolder_;
    return ApplyEntries(written);
}

}  // namespace velnor
