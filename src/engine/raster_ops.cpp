// The three raster operations of the block copies, written as plain loops over one row
// so that the compiler vectorises them.
#include "engine/raster_ops.h"

#include <cassert>
#include <cstring>

namespace velnor {

void ApplyRasterOp(Pixel* dst, const Pixel* src, int count, RasterOp op) {
    assert(count >= 0);
    switch (op) {
        case RasterOp::kCopy:
            std::memmove(dst, src, static_cast<std::size_t>(count) * sizeof(Pixel));
            return;
        case RasterOp::kAnd:
            for (int i = 0; i < count; ++i) dst[i] &= src[i];
            return;
        case RasterOp::kXor:
            for (int i = 0; i < count; ++i) dst[i] ^= src[i];
            return;
    }
}

}  // namespace velnor
