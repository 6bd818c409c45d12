// Wires the saver's grid, projection and line drawing together for one still picture.
#include "engine/still_picture.h"

#include "engine/frame.h"
#include "engine/line.h"
#include "engine/wire_ball.h"

namespace velnor {

bool DrawStillWireBall(Surface& box, int outerWidth, int outerHeight, const StillWireBall& view) {
    WireBall ball;  // fresh and zero-filled for every picture
    ball.radius = view.radius;
    ball.perspective = static_cast<std::int16_t>(view.perspectiveOn);
    BuildWireBall(ball, view.aspectTenths, view.perspectiveDepth, view.eyeDistanceScale);
    const ProjectionArea area{box.width(), box.height(), outerWidth, outerHeight};
    if (!ProjectWireBall(ball, view.spinInput, view.tiltInput, area)) return false;
    LinePen pen;
    return DrawWireBall(box, ball, view.parallelColour, view.meridianColour, pen, UnfitPoint::kStop,
                        nullptr);
}

}  // namespace velnor
