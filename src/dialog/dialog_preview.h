// The settings dialog's still picture of the wire ball: the engine's grid, projection and
// ball painter run on the dialog's own copies of the data and drawn off screen, so the
// Win32 shell only shows the finished surface. Portable; tested and benchmarked on Linux.
#pragma once

#include <array>
#include <cstdint>

#include "engine/surface.h"
#include "engine/wire_ball.h"
#include "settings/saver_settings.h"

namespace velnor {

// What the preview is drawn from: the controls' values as the dialog holds them.
struct PreviewInputs {
    int aspValue = -10;    // Asp_V (the shape, negated)
    int depthValue = -25;  // Depth_V (the depth, negated)
    int scaleValue = 144;  // H_Scale: the ball's radius in pixels at 96 dpi
    std::int16_t perspectiveOn = 0;
    ColourRef parallelColour = 0;  // lbl_Color(1)
    ColourRef meridianColour = 0;  // lbl_Color(2)
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

    // Recomputes the grid from the inputs (BuildPreviewWireBall), clears `target` to
    // black and draws parallels, meridians, the blue equator and the sample ball in the
    // top-left corner. `target` is resized to the box's inner size. Returns false when
    // the projection overflowed or a point did not fit a 32-bit integer: the drawing
    // then stopped there, without the sample ball, and the caller must not show it.
    bool RedrawPreview(Surface& target, const PreviewInputs& inputs, const PreviewBox& box);

    // Repaints the sample ball in (red, green, blue) with its highlight up and to the
    // left. The sample is black until this is first called.
    void PaintPreviewBall(std::int16_t red, std::int16_t green, std::int16_t blue);

    // The dialog's copy of the orbiting-ball colour, written by the colour bars.
    std::array<std::int16_t, 3> previewBallColour{};

  private:
    void BuildPreviewWireBall(const PreviewInputs& inputs, int dpi);
    bool DrawLines(Surface& target, ColourRef parallels, ColourRef meridians);
    void DrawSample(Surface& target, int dpi) const;

    WireBall ball_;
    Surface sample_;  // Pic_Mas: the 48 x 48 sample ball, kept between redraws
    Surface mask_;    // Pic_Mask: black disc on white
};

}  // namespace velnor
