// A still picture of the wire ball, for the settings dialog's preview and the preview
// picture of the resources: the saver's BuildWireBall, ProjectWireBall and line drawing
// run on a fresh grid of the caller's values, stopping at a point that does not fit.
#pragma once

#include "engine/surface.h"
#include "settings/saver_settings.h"

namespace velnor {

struct StillWireBall {
    int aspectTenths = 10;      // shape: 10 round, 4 flat, 16 stretched
    int perspectiveDepth = 20;  // eye distance / 10
    int perspectiveOn = 0;      // 1: perspective projection
    float radius = 128;         // ball radius in pixels
    ColourRef parallelColour = 0x00FF00;
    ColourRef meridianColour = 0xFFFF00;
    float spinInput = 50;  // the dialog's fixed view: both inputs 50
    float tiltInput = 50;
    // Multiplies the eye distance, a length in pixels like the radius: a picture drawn at
    // a higher DPI with the radius and this scaled alike keeps its perspective.
    double eyeDistanceScale = 1.0;
};

// Draws the parallels, meridians and the blue equator onto `box`, the drawable (inner)
// area of the preview box; `outerWidth` x `outerHeight` is the box's size including its
// border (300 x 300 around an inner 296 x 296), which places the ball's centre. `box` is
// not cleared first. Returns false when the projection overflowed (nothing drawn) or a
// projected point did not fit 32 bits (the drawing stopped there): the dialog then
// leaves the picture as it is and does not add the sample ball.
bool DrawStillWireBall(Surface& box, int outerWidth, int outerHeight, const StillWireBall& view);

}  // namespace velnor
