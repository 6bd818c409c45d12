// One running instance of the saver's animation: the scene (wire ball, orbiting ball,
// the settings it was started with), its motion state, and the composition of a frame.
// The platform's frame loop owns the presentation, the event step and the wait:
//
//   Animation animation(settings, screenWidth, screenHeight, seed);
//   for (;;) {
//       animation.AdvanceMotion();
//       animation.ComposeFrame(frame, background);   // frame: screen-sized surface
//       Present(frame, animation.changedArea());     // only this rectangle changed
//       ProcessPendingEvents();                      // may swap the background: then
//                                                    // call RequestFullRedraw()
//       Sleep(EffectiveFrameDelayMs(settings.frameDelayMs));
//       animation.AdvanceTilt();
//   }
#pragma once

#include <array>
#include <cstdint>

#include "base/geometry.h"
#include "engine/background_patch.h"
#include "engine/frame.h"
#include "engine/line.h"
#include "engine/random.h"
#include "engine/surface.h"
#include "engine/wire_ball.h"
#include "settings/saver_settings.h"

namespace velnor {

// The wait after a frame in milliseconds. A negative value (only from a hand-edited
// settings file) would, widened to an unsigned wait, last 49 days; it counts as 0.
int EffectiveFrameDelayMs(std::int16_t frameDelayMs);

// The animation's motion variables; every field is the value the current frame is drawn
// with once AdvanceMotion has run.
struct MotionState {
    double clockAngle = 45;  // position on the orbit: 60 units per revolution, 0 at the top
    float orbitRadiusY = 0;  // vertical semi-axis of the orbit, 0..centreY
    bool closing = true;     // orbitRadiusY shrinking (true) or growing (false)
    float spinInput = 0;     // drives the wire ball's spin; falls by spinStep per frame
    float spinStep = 0;      // screenWidth / 300: one turn per 600 frames
    double spriteSize = 48;
    float spriteLeft = 0;  // top-left corner of the orbiting ball's sprite (whole numbers)
    float spriteTop = 0;
    bool inFront = false;  // orbiting ball drawn after (in front of) the wire ball: lower half
};

enum class RestoreMode {
    kChangedArea,  // restore and report only what the previous and this frame drew on
    kFull,         // restore and report the whole surface
};

class Animation {
  public:
    // Prepares the scene as the saver window's load does: centre, first random choices
    // and sprite (Rerandomise), line colours, perspective and radius from `settings`,
    // then BuildWireBall. `settings` is copied; the copy's randomised fields change in
    // memory only. The same seed gives the same animation.
    Animation(const SaverSettings& settings, int screenWidth, int screenHeight, std::uint64_t seed);

    // Motion steps of one frame, before it is drawn: wrap the clock at 60, place the
    // sprite on the orbit, advance the clock by 0.1, lower spinInput by one step, and
    // decide inFront.
    void AdvanceMotion();

    // Composes the frame onto `target` (screenWidth x screenHeight): restores the
    // background, projects the wire ball and draws it and the orbiting ball in depth
    // order. `background` is the full-screen background picture; an empty surface (or
    // any part it does not cover) counts as black. With kChangedArea, `target` must still
    // hold the frame this Animation composed last; otherwise call RequestFullRedraw first.
    void ComposeFrame(Surface& target, const Surface& background,
                      RestoreMode mode = RestoreMode::kChangedArea);

    // The rectangle of `target` the last ComposeFrame changed, to be presented.
    Rect changedArea() const { return changedArea_; }

    // The same change in its parts: presenting the lines' and the sprite's parts apart
    // instead of changedArea() copies less when the sprite is far from the wire ball.
    const ChangedRects& changedRects() const { return changedRects_; }

    // The next ComposeFrame restores and reports the whole surface (a new background
    // picture, or a target that was changed by someone else).
    void RequestFullRedraw() { fullRedrawPending_ = true; }

    // Tilt step, after the frame's wait: the orbit closes or opens by 0.05 pixels; at the
    // end of an opening phase the random choices, the sprite and the grid are renewed.
    void AdvanceTilt();

    // Re-chooses the settings whose random flag is 1 and repaints the sprite with a
    // random highlight direction.
    void Rerandomise();

    const MotionState& motion() const { return motion_; }
    const WireBall& wireBall() const { return ball_; }
    const SaverSettings& settings() const { return settings_; }
    const Surface& sprite() const { return sprite_; }
    const Surface& mask() const { return mask_; }
    int screenWidth() const { return screenWidth_; }
    int screenHeight() const { return screenHeight_; }
    int centreX() const { return centreX_; }
    int centreY() const { return centreY_; }
    // The tilt input of the projection: centreY - orbitRadiusY.
    float tiltInput() const;
    // False when this frame's projection overflowed and kept earlier screen points.
    bool projectionComplete() const { return projectionComplete_; }

  private:
    SaverSettings settings_;
    Random random_;
    WireBall ball_;
    Surface sprite_;
    Surface mask_;
    MotionState motion_;
    ColourRef parallelColour_ = 0;
    ColourRef meridianColour_ = 0;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    int centreX_ = 0;
    int centreY_ = 0;
    LinePen pen_;  // keeps its position from frame to frame, like a device context's
    BackgroundPatch backgroundPatch_;  // the background around the lines
    Rect linesLast_;  // what the previous frame's lines and sprite drew over the background
    Rect spriteLast_;
    Rect changedArea_;  // what the last ComposeFrame changed
    ChangedRects changedRects_;
    bool fullRedrawPending_ = true;
    bool projectionComplete_ = true;
};

}  // namespace velnor
