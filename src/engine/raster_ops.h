// The raster operations of the block copies: every copy of source pixels onto a
// destination goes through ApplyRasterOp, so the three operations exist in one place.
#pragma once

#include "engine/surface.h"

namespace velnor {

enum class RasterOp {
    kCopy,  // SRCCOPY: destination = source
    kAnd,   // SRCAND: destination = destination AND source
    kXor,   // SRCINVERT: destination = destination XOR source
};

// Combines `count` source pixels into the destination pixels. The ranges must not
// overlap unless they are identical. Callers clip.
void ApplyRasterOp(Pixel* dst, const Pixel* src, int count, RasterOp op);

}  // namespace velnor
