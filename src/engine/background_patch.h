// A compact copy of the background around the wire ball, from which each frame restores
// the area the previous frame's lines drew on. Its rows are short and lie next to each
// other, so a restore reads a few memory pages instead of one or two per screen row: that
// is most of a restore's cost when the caches have gone cold while the saver waited for
// its next frame.
#pragma once

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {

class BackgroundPatch {
  public:
    // Makes the patch hold `needed` of `background` (what lies off the background is
    // never held), growing it with a margin so that a ball that turns and tilts does not
    // grow it every frame. A patch as wide as half the background would save nothing: it
    // stays empty then, until Clear.
    void Cover(const Surface& background, const Rect& needed);

    // Copies `area` onto `target` as RestoreBackground(target, background, area) does,
    // from the patch when it holds all of `area`.
    void Restore(Surface& target, const Surface& background, const Rect& area) const;

    // Forgets the copy: the background changed.
    void Clear();

    const Rect& area() const { return area_; }

  private:
    static constexpr int kMargin = 16;

    Rect area_;  // on the background; empty when nothing is held
    Surface pixels_;
    bool tooWide_ = false;
};

}  // namespace velnor
