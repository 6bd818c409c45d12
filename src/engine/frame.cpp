// The wire ball's line drawing and the background restore, shared by the saver's
// frames and the dialog's still picture.
#include "engine/frame.h"

#include <algorithm>
#include <optional>

#include "base/rounding.h"
#include "engine/animation.h"
#include "engine/blit.h"
#include "engine/orbiting_ball.h"

namespace velnor {
namespace {

constexpr int kEquatorRow = 6;

// Walks one polyline of the grid: a move to the first point, then a line to each next.
// `point(n)` gives grid point n of the polyline as (j, i).
template <typename PointAt>
bool DrawPolyline(Surface& target, const WireBall& ball, int count, PointAt point, Pixel colour,
                  LinePen& pen, UnfitPoint unfit, Rect* touched) {
    for (int n = 0; n < count; ++n) {
        const auto [j, i] = point(n);
        const std::optional<int> x = RoundHalfToEven(ball.screenX[j][i]);
        const std::optional<int> y = RoundHalfToEven(ball.screenY[j][i]);
        if (!x || !y) {
            if (unfit == UnfitPoint::kStop) return false;
            continue;
        }
        const Point p{*x, *y};
        if (n == 0) {
            pen.MoveTo(p);
        } else {
            pen.LineTo(target, p, colour, touched);
        }
    }
    return true;
}

}  // namespace

bool DrawWireBall(Surface& target, const WireBall& ball, ColourRef parallelColour,
                  ColourRef meridianColour, LinePen& pen, UnfitPoint unfit, Rect* touched) {
    const int polar = std::clamp<int>(ball.polarCount, 0, kGridCount);
    const int azimuth = std::clamp<int>(ball.azimuthCount, 0, kGridCount);
    const Pixel parallel = PixelFromColourRef(parallelColour);
    for (int i = 1; i <= polar; ++i) {
        const auto along = [i](int n) { return std::pair{n + 1, i}; };
        if (!DrawPolyline(target, ball, azimuth, along, parallel, pen, unfit, touched)) {
            return false;
        }
    }
    const Pixel meridian = PixelFromColourRef(meridianColour);
    for (int j = 1; j <= azimuth; ++j) {
        const auto down = [j](int n) { return std::pair{j, n + 1}; };
        if (!DrawPolyline(target, ball, polar, down, meridian, pen, unfit, touched)) {
            return false;
        }
    }
    if (polar < kEquatorRow) return true;
    const auto equator = [](int n) { return std::pair{n + 1, kEquatorRow}; };
    return DrawPolyline(target, ball, azimuth, equator, PixelFromColourRef(kEquatorColour), pen,
                        unfit, touched);
}

void RestoreBackground(Surface& target, const Surface& background, const Rect& area) {
    const Rect covered = Intersect(area, background.bounds());
    if (covered != area) FillRect(target, area, 0);
    CopyRect(target, background, covered);
}

// Animation::ComposeFrame lives here with the drawing it drives; the motion is in
// animation.cpp.
void Animation::ComposeFrame(Surface& target, const Surface& background, RestoreMode mode) {
    const Rect whole = target.bounds();
    const bool full = mode == RestoreMode::kFull || fullRedrawPending_;
    // The target equals the background except where the previous frame drew, so
    // restoring those areas leaves exactly what a full clear leaves.
    const Rect linesRestored = full ? whole : Intersect(linesLast_, whole);
    const Rect spriteRestored = full ? Rect{} : Intersect(spriteLast_, whole);
    if (full) backgroundPatch_.Clear();
    backgroundPatch_.Restore(target, background, linesRestored);
    RestoreBackground(target, background, spriteRestored);

    projectionComplete_ =
        ProjectWireBall(ball_, motion_.spinInput, tiltInput(),
                        {screenWidth_, screenHeight_, screenWidth_, screenHeight_});
    Rect lines, sprite;
    const auto drawWireBall = [&] {
        DrawWireBall(target, ball_, parallelColour_, meridianColour_, pen_, UnfitPoint::kSkip,
                     &lines);
    };
    const auto drawOrbitingBall = [&] {
        const std::optional<int> left = RoundHalfToEven(motion_.spriteLeft);
        const std::optional<int> top = RoundHalfToEven(motion_.spriteTop);
        if (left && top) sprite = DrawOrbitingBall(target, *left, *top, mask_, sprite_);
    };
    if (motion_.inFront) {
        drawWireBall();
        drawOrbitingBall();
    } else {
        drawOrbitingBall();
        drawWireBall();
    }
    // Frames that restore everything anyway need no copy of the background.
    if (mode != RestoreMode::kFull) backgroundPatch_.Cover(background, lines);
    linesLast_ = lines;
    spriteLast_ = sprite;
    changedRects_ = {linesRestored, spriteRestored, full ? Rect{} : lines, full ? Rect{} : sprite};
    changedArea_ = full ? whole : Unite(Unite(linesRestored, spriteRestored), Unite(lines, sprite));
    fullRedrawPending_ = false;
}

}  // namespace velnor
