// Drawing steps of a frame shared by the saver's animation and the dialog's still
// picture: the wire ball's three families of lines through the projected grid, and the
// restore of a frame's area from its background.
#pragma once

#include <array>

#include "base/geometry.h"
#include "engine/line.h"
#include "engine/surface.h"
#include "engine/wire_ball.h"
#include "settings/saver_settings.h"

namespace velnor {

// The equator's colour, drawn over the other lines: pure blue.
inline constexpr ColourRef kEquatorColour = 0xFF0000;  // 0x00BBGGRR

// What one composed frame changed on its target, in two parts that may lie far apart: the
// wire ball's lines and the orbiting ball's sprite, each where the previous frame's drawing
// was restored and where this frame drew. Empty rectangles change nothing; overlaps happen.
struct ChangedRects {
    Rect linesRestored;
    Rect spriteRestored;
    Rect linesDrawn;
    Rect spriteDrawn;

    Rect lines() const { return Unite(linesRestored, linesDrawn); }
    Rect sprite() const { return Unite(spriteRestored, spriteDrawn); }
    std::array<Rect, 4> all() const {
        return {linesRestored, spriteRestored, linesDrawn, spriteDrawn};
    }
};

// What the line drawing does with a grid point whose coordinates do not fit 32 bits.
enum class UnfitPoint {
    kSkip,  // the saver: no move or line to it; the pen stays where it was
    kStop,  // the dialog: the drawing ends there
};

// Draws the 21 parallels in `parallelColour`, the 21 meridians in `meridianColour` and
// the equator (row 6) in blue, through ball.screenX/Y: 860 segments with `pen`, which
// keeps its position from one call to the next as a device context's pen does. Grows
// `touched` to hold every pixel set. Returns false when it stopped at an unfit point.
bool DrawWireBall(Surface& target, const WireBall& ball, ColourRef parallelColour,
                  ColourRef meridianColour, LinePen& pen, UnfitPoint unfit, Rect* touched);

// Copies `area` of `background` onto `target`; whatever part of `area` the background
// does not cover (an empty background: all of it) becomes black.
void RestoreBackground(Surface& target, const Surface& background, const Rect& area);

}  // namespace velnor
