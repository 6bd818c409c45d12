// The tiled background of the dialog's panels: the 832 x 20 texture copied over a panel
// column by column from its top-left corner. Portable, so the Win32 shell only shows the
// painted surface and the static captions can be drawn over the same pixels.
#pragma once

#include "engine/surface.h"

namespace velnor {

// Copies `texture` whole onto `panel` at x = 0, 0 + h, 0 + 2h, ... down to the first
// row that starts below the bottom edge, then moves one texture width to the right and
// starts again, until a column has started beyond the right edge. Copies are clipped.
void PaintPanelTexture(Surface& panel, const Surface& texture);

}  // namespace velnor
