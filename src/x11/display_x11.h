// What the program needs to know from the X display: the window it draws on (the
// daemon's window, a given one, or one of its own), that window's size and place on the
// root window, and the monitors (RandR 1.5 or Xinerama, whichever sees more).
#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "saver/monitor_plan.h"
#include "x11/saver_options.h"

namespace velnor {

struct DrawWindow {
    Window window = 0;
    bool own = false;        // made by the program: it handles keys and the close button
    bool spansRoot = false;  // the root or the daemon's window: one scene per monitor
    Atom deleteMessage = 0;  // WM_DELETE_WINDOW of an own window
};

// The window to draw on for `target`; an own window is created (1024x768, resizable,
// titled "Velnor", with `command`, the program's command line, as its WM_COMMAND) and
// mapped. Nothing when a given window id does not exist.
std::optional<DrawWindow> OpenDrawWindow(Display* display, DrawTarget target,
                                         std::uint32_t windowId,
                                         const std::vector<std::string>& command);

struct WindowGeometry {
    Rect inRoot;  // the window's rectangle in root-window coordinates
    Visual* visual = nullptr;
    int depth = 0;
};

std::optional<WindowGeometry> GeometryOf(Display* display, Window window);

// Replaces Xlib's default error handler, which ends the program: a window or drawable
// error (the window drawn on was destroyed) is noted for DrawWindowGone; any other error
// is reported on standard error once per kind and otherwise ignored.
void InstallErrorHandler();
bool DrawWindowGone();

// The monitors of the screen in root coordinates, from RandR 1.5 or, when it reports
// fewer, from an active Xinerama; empty when neither reports any.
std::vector<MonitorArea> QueryMonitors(Display* display);

}  // namespace velnor
