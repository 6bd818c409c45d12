// Puts a scene's frame on an X window: an XImage in shared memory (MIT-SHM) where the
// display allows it, else an ordinary XImage sent over the connection. Only the changed
// rectangles are copied and sent.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include "base/geometry.h"
#include "engine/surface.h"

namespace velnor {

class ScreenImage {
  public:
    ScreenImage() = default;
    ~ScreenImage();
    ScreenImage(const ScreenImage&) = delete;
    ScreenImage& operator=(const ScreenImage&) = delete;

    // An image of `width` x `height` for windows of `visual` and `depth`. Tries shared
    // memory first unless `allowShared` is false. False when no image could be made.
    bool Create(Display* display, Visual* visual, int depth, int width, int height,
                bool allowShared);

    // Copies `area` of `frame` (the image's size) into the image and sends it to
    // `window` at (originX + area.left, originY + area.top). The caller syncs after the
    // frame's last Put, before the next Put reuses a shared image.
    void Put(Window window, GC gc, const Surface& frame, const Rect& area, int originX,
             int originY);

    bool shared() const { return shared_; }

  private:
    bool CreateShared(Visual* visual, int depth, int width, int height);
    void CopyPixels(const Surface& frame, const Rect& area);

    Display* display_ = nullptr;
    XImage* image_ = nullptr;
    XShmSegmentInfo segment_{};
    bool shared_ = false;
    bool directLayout_ = false;  // the image stores pixels as the surface does
};

}  // namespace velnor
