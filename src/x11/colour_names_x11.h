// Colour names as the X server knows them (XParseColor on the default colour map), for
// the options that take a colour.
#pragma once

#include <X11/Xlib.h>

#include "x11/colour_text.h"

namespace velnor {

// Reads names through `display`, which must outlive the result.
ColourByName XColourNames(Display* display);

}  // namespace velnor
