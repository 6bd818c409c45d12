// Paints the orbiting ball's sprite ring by ring and draws it through its mask.
#include "engine/orbiting_ball.h"

#include <algorithm>

#include "engine/blit.h"
#include "engine/circle.h"

namespace velnor {
namespace {

// One colour component of ring k. A negative base can only come from a hand-edited
// settings file; it is treated as 0 so that the ring still brightens towards the
// highlight instead of wrapping around in the pixel's byte.
int RingComponent(int base, int k) {
    return std::min(std::max(base, 0) + 16 * k, 255);
}

Point RingCentre(int highlight, int cx, int cy, int k) {
    switch (highlight) {
        case 1:
            return {cx + k, cy + k};
        case 2:
            return {cx - 1, cy + k};
        case 3:
            return {cx + k, cy - k};
        default:
            return {cx - k, cy - k};
    }
}

// Black outside the disc of radius cx about (cx, cy), rasterised like the mask's disc.
void BlackenOutsideDisc(Surface& sprite, int cx, int cy) {
    Surface disc(sprite.width(), sprite.height(), 0);
    FillCircle(disc, cx, cy, cx, 1);
    for (int y = 0; y < sprite.height(); ++y) {
        Pixel* row = sprite.row(y);
        const Pixel* inside = disc.row(y);
        for (int x = 0; x < sprite.width(); ++x) {
            if (inside[x] == 0) row[x] = 0;
        }
    }
}

}  // namespace

void PaintOrbitingBall(Surface& sprite, int red, int green, int blue, int highlight) {
    // Half the inner size, the remainder dropped: 24 for the 48-pixel sprite.
    const int cx = sprite.width() / 2;
    const int cy = sprite.height() / 2;
    // The whole disc in the rim's colour first: ring 0 of highlight 2 lies one pixel left
    // of the disc and would leave a crescent at its right edge with an earlier paint's
    // colours. So the sprite never depends on what it held before.
    sprite.Fill(0);
    FillCircle(
        sprite, cx, cy, cx,
        PixelFromRgb(RingComponent(red, 0), RingComponent(green, 0), RingComponent(blue, 0)));
    for (int k = 0; k < 64; ++k) {
        const int radius = cx - 2 * k;
        if (radius <= 0) break;
        const Point centre = RingCentre(highlight, cx, cy, k);
        FillCircle(
            sprite, centre.x, centre.y, radius,
            PixelFromRgb(RingComponent(red, k), RingComponent(green, k), RingComponent(blue, k)));
    }
    BlackenOutsideDisc(sprite, cx, cy);
}

Surface MakeOrbitingBallMask(int size) {
    Surface mask(size, size, PixelFromRgb(255, 255, 255));
    FillCircle(mask, size / 2, size / 2, size / 2, PixelFromRgb(0, 0, 0));
    return mask;
}

Rect DrawOrbitingBall(Surface& target, int x, int y, const Surface& mask, const Surface& sprite) {
    const Rect masked =
        BitBlt(target, x, y, mask.width(), mask.height(), mask, 0, 0, RasterOp::kAnd);
    const Rect painted =
        BitBlt(target, x, y, sprite.width(), sprite.height(), sprite, 0, 0, RasterOp::kXor);
    return Unite(masked, painted);
}

}  // namespace velnor
