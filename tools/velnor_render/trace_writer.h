// The JSON Lines trace of velnor-render: one line per frame with the motion state the
// frame was drawn with and its projected grid points.
#pragma once

#include <string>

#include "engine/animation.h"

namespace velnor::render {

// Appends the trace line of frame number `frame` (from 1), newline included, to `line`.
// Floats are printed in their shortest form that reads back as the same value (32-bit
// floats as 32-bit, the 64-bit clock as 64-bit); screenX and screenY are 21 arrays
// (polar index i = 1..21) of 21 numbers (azimuth index j = 1..21).
void AppendTraceLine(std::string& line, long long frame, const Animation& animation);

}  // namespace velnor::render
