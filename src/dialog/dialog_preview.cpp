// RedrawPreview: the engine's still picture of the wire ball from the dialog's values,
// seen with both projection inputs 50, and the sample ball through its mask.
#include "dialog/dialog_preview.h"

#include <utility>

#include "dialog/dialog_layout.h"
#include "engine/blit.h"
#include "engine/orbiting_ball.h"
#include "engine/still_picture.h"
#include "engine/stretch.h"

namespace velnor {

DialogPreview::DialogPreview()
    : sample_(kSpriteSize, kSpriteSize, 0), mask_(MakeOrbitingBallMask(kSpriteSize)) {}

void DialogPreview::DrawSample(Surface& target, int dpi) const {
    // 15 twips to the pixel at 96 dpi; halves round up, as the layout's pixels do.
    const int size = TwipsToPixels(kSpriteSize * 15, dpi);
    if (size == kSpriteSize) {
        DrawOrbitingBall(target, 0, 0, mask_, sample_);
        return;
    }
    // Above 96 dpi the sample is enlarged pixel by pixel; mask and sprite stay aligned,
    // so the masked copy still leaves the corners untouched.
    Surface mask(size, size), sprite(size, size);
    StretchBlt(mask, 0, 0, size, size, mask_, 0, 0, kSpriteSize, kSpriteSize);
    StretchBlt(sprite, 0, 0, size, size, sample_, 0, 0, kSpriteSize, kSpriteSize);
    DrawOrbitingBall(target, 0, 0, mask, sprite);
}

bool DialogPreview::Update(const PreviewInputs& inputs, const PreviewBox& box) {
    if (!RedrawPreview(work_, inputs, box)) return false;
    std::swap(shown_, work_);
    return true;
}

bool DialogPreview::RedrawPreview(Surface& target, const PreviewInputs& inputs,
                                  const PreviewBox& box) {
    if (inputs.sampleColour && inputs.sampleColour != sampleColour_) {
        sampleColour_ = inputs.sampleColour;
        const auto& [red, green, blue] = *sampleColour_;
        PaintOrbitingBall(sample_, red, green, blue, 0);
    }
    if (target.width() != box.innerWidth || target.height() != box.innerHeight) {
        target = Surface(box.innerWidth, box.innerHeight, 0);
    } else {
        target.Fill(0);
    }
    const double dpiScale = box.dpi / 96.0;
    StillWireBall view;
    view.aspectTenths = -inputs.shapeValue;
    view.perspectiveDepth = -inputs.depthValue;
    view.perspectiveOn = inputs.perspectiveOn;
    view.radius = static_cast<float>(inputs.scaleValue * dpiScale);
    view.parallelColour = inputs.parallelColour;
    view.meridianColour = inputs.meridianColour;
    view.spinInput = view.tiltInput = static_cast<float>(50.0 * box.dpi / 96.0);
    view.eyeDistanceScale = dpiScale;
    if (!DrawStillWireBall(target, box.outerWidth, box.outerHeight, view)) return false;
    DrawSample(target, box.dpi);
    return true;
}

}  // namespace velnor
