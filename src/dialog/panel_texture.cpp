// PaintPanelTexture: the column-by-column tiling with strict comparisons, so one row
// past the bottom and one column past the right edge are also copied (and clipped).
#include "dialog/panel_texture.h"

#include "engine/blit.h"

namespace velnor {

void PaintPanelTexture(Surface& panel, const Surface& texture) {
    if (texture.empty() || panel.empty()) return;
    const auto width = static_cast<float>(panel.width());
    const auto height = static_cast<float>(panel.height());
    float x = 0;
    float y = 0;
    for (;;) {
        BitBlt(panel, static_cast<int>(x), static_cast<int>(y), texture.width(), texture.height(),
               texture, 0, 0, RasterOp::kCopy);
        if (y > height) {
            if (x > width) return;
            x += static_cast<float>(texture.width());
            y = 0;
        } else {
            y += static_cast<float>(texture.height());
        }
    }
}

}  // namespace velnor
