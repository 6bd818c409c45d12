// The installer's side picture: a dark blue sky fading to black with faint stars, the
// engine's own wire ball in its upper half and the shaded orbiting ball below it.
#include "resource_maker/installer_art.h"

#include "engine/still_picture.h"
#include "resource_maker/art_math.h"

namespace velnor::resources {
namespace {

Colour SkyAt(int y, Sequence& stars) {
    const double depth = y / double(kInstallerSideHeight - 1);
    Colour sky = Mix(Colour{0.05, 0.08, 0.24}, Colour{0, 0, 0.02}, SmoothStep(0, 1, depth));
    // About one pixel in ninety is a star, dimmer towards the bottom.
    const double star = stars.Next();
    if (star > 0.989) sky = Mix(sky, Colour{0.8, 0.85, 1}, (star - 0.989) * 60 * (1 - depth));
    return sky;
}

// The wire ball drawn by the engine on black, laid over the sky where it has lines.
void DrawWireBallOver(Surface& picture, int top) {
    constexpr int kBox = kInstallerSideWidth;
    Surface ball(kBox, kBox);
    StillWireBall view;
    view.radius = 66;
    view.spinInput = 27;
    view.tiltInput = 30;
    DrawStillWireBall(ball, kBox, kBox, view);
    for (int y = 0; y < kBox; ++y) {
        for (int x = 0; x < kBox; ++x) {
            if (ball.at(x, y) != 0) picture.set(x, top + y, ball.at(x, y));
        }
    }
}

// The orbiting ball centred at (cx, cy), its edge smoothed over one pixel.
void DrawOrbitingBall(Surface& picture, double cx, double cy, double radius) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const double dx = (x + 0.5 - cx) / radius, dy = (y + 0.5 - cy) / radius;
            const double coverage =
                std::clamp((1 - std::sqrt(dx * dx + dy * dy)) * radius + 0.5, 0.0, 1.0);
            if (coverage <= 0) continue;
            const Pixel under = picture.at(x, y);
            const Colour back{((under >> 16) & 0xFF) / 255.0, ((under >> 8) & 0xFF) / 255.0,
                              (under & 0xFF) / 255.0};
            picture.set(x, y, ToPixel(Mix(back, BallShade(dx, dy), coverage)));
        }
    }
}

}  // namespace

Surface MakeInstallerSide() {
    Surface picture(kInstallerSideWidth, kInstallerSideHeight);
    Sequence stars(27);
    for (int y = 0; y < kInstallerSideHeight; ++y) {
        for (int x = 0; x < kInstallerSideWidth; ++x) picture.set(x, y, ToPixel(SkyAt(y, stars)));
    }
    DrawWireBallOver(picture, 40);
    DrawOrbitingBall(picture, 124, 228, 17);
    return picture;
}

}  // namespace velnor::resources
