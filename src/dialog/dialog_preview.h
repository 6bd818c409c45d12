// The settings dialog's still picture of the wire ball: the engine's still picture and
// ball painter drawn off screen from the dialog's values, so the Win32 view only shows the
// finished surface. Portable; tested and benchmarked on Linux.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/surface.h"
#include "settings/saver_settings.h"

namespace velnor {

// What the preview is drawn from: the controls' values as the dialog holds them.
struct PreviewInputs {
    int shapeValue = -10;  // the shape spin's value (the shape, negated)
    int depthValue = -25;  // the depth spin's value (the depth, negated)
    int scaleValue = 144;  // the size bar: the ball's radius in pixels at 96 dpi
    std::int16_t perspectiveOn = 0;
    ColourRef parallelColour = 0;
    ColourRef meridianColour = 0;
    // The sample ball's red, green and blue; it stays black until a colour bar has set one.
    std::optional<std::array<std::int16_t, 3>> sampleColour;
};

// The preview box in device pixels. `dpi` scales the 96-dpi pixel values (radius, the
// projection inputs 50, the 48-pixel sample ball) so the picture keeps its proportions
// at every display scaling; at 96 dpi it is exactly the saver's drawing.
struct PreviewBox {
    int innerWidth = 296;  // drawable area
    int innerHeight = 296;
    int outerWidth = 300;  // including the border; sets the ball's centre
    int outerHeight = 300;
    int dpi = 96;
};

class DialogPreview {
  public:
    DialogPreview();

    // Clears `target` to black (resized to the box's inner size) and draws the engine's
    // still picture of the wire ball and the sample ball in the top-left corner, painted
    // in its colour with the highlight up and to the left. Returns false when the
    // projection overflowed or a point did not fit a 32-bit integer: the drawing then
    // stopped there, without the sample ball, and the caller must not show it.
    bool RedrawPreview(Surface& target, const PreviewInputs& inputs, const PreviewBox& box);

    // Redraws off screen and makes a complete picture the one `shown`; a redraw that
    // cannot finish leaves the last complete picture shown and returns false.
    bool Update(const PreviewInputs& inputs, const PreviewBox& box);
    const Surface& shown() const { return shown_; }

  private:
    void DrawSample(Surface& target, int dpi) const;

    std::optional<std::array<std::int16_t, 3>> sampleColour_;  // what sample_ is painted in
    Surface sample_;  // the 48 x 48 sample ball, kept between redraws
    Surface mask_;    // its mask: black disc on white
    Surface shown_;   // the last complete picture
    Surface work_;    // the picture being drawn
};

}  // namespace velnor
