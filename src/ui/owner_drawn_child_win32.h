// Message handling of owner-drawn child windows that paint all of their client area
// themselves and may take clicks the way a button does, reporting each click to the
// top-level window as WM_COMMAND BN_CLICKED, so a click on them takes the buttons' route;
// and the focus ring that such children and the system's controls show while focused.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/click_rule.h"

namespace velnor {

// Serves the painting messages of such a child with `paint`: no background erase,
// WM_PAINT double-buffered, WM_PRINTCLIENT into the given context, and a repaint after
// its text, enabled state or focus changes; a focus change is reported with
// kChildFocusMessage. False for any other message.
bool ServeSelfPaintingChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                            const std::function<void(HDC)>& paint, LRESULT& result);

// Serves the mouse-button messages of a child that clicks as ClickStepsOf rules; false
// for messages that are not a button press or release.
bool ServeButtonLikeClicks(HWND child, UINT message, LPARAM lParam, bool actsOnPress);

// WM_GETDLGCODE of a child that takes keys as `keys` says; `message` is the message the
// dialog keys ask about, if any (a link wants Enter and nothing else).
LRESULT DialogCodeOf(ChildKeys keys, const MSG* message);

// WM_KEYDOWN of such a child while it has the focus: Space clicks (a link's Enter too, a
// held key once); an arrow on a radio button moves the focus to `partner`, the other
// button of its pair, and clicks it while it is enabled. False for keys left to the system.
bool ServeChildKeys(HWND child, ChildKeys keys, HWND partner, WPARAM key, LPARAM lParam);

// Sends `child`'s click to its top-level window as WM_COMMAND BN_CLICKED.
void ReportClick(HWND child);

// Sent to the top-level window when a child gains (wParam TRUE) or loses (FALSE) the
// keyboard focus; lParam is the child.
inline constexpr UINT kChildFocusMessage = WM_APP + 40;

// Draws the focus ring: a one-pixel border of alternating black and white pixels along
// the edge of `child`'s client area, seen on any colour under it. Drawn over what is
// there (not inverted), so drawing it twice shows the same.
void DrawFocusRing(HWND child, HDC dc);

// Subclasses a system control (button, scroll bar, list box) so that it reports its focus
// changes with kChildFocusMessage and, with `ring`, shows the focus ring while focused: the
// ring is drawn again after each message that may have painted the control, and the
// control is repainted without it when the focus goes. With `textNotPainted` the control
// reads its own window text as empty while it handles any message (so it paints as if it
// had none), while everyone else reads the text: a name for the accessibility layer that
// the control does not show.
bool AddFocusCue(HWND control, bool ring, bool textNotPainted = false);

}  // namespace velnor
