// Window helpers shared by the program's windows: the caption-zoom animation between a
// remembered mouse point and a window, a window's text and DPI, the screen under the mouse,
// the outer size for a wanted client area, and serving the pending messages of a dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace velnor {

// The screen point the opening zoom starts from and the closing zoom ends at; (0, 0)
// until the dialog sets it.
struct ZoomOrigin {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// The mouse position now; a coordinate that cannot be read or does not fit 16 bits is 0.
ZoomOrigin ZoomOriginFromCursor();

// Animated rectangle from the single point `origin` to the window's screen rectangle.
void ZoomFromPoint(HWND window, ZoomOrigin origin);

// Animated rectangle from the window's screen rectangle to the single point `origin`.
void ZoomToPoint(HWND window, ZoomOrigin origin);

inline constexpr UINT kEdgeRaised = EDGE_RAISED;  // 5
inline constexpr UINT kEdgeSunken = EDGE_SUNKEN;  // 10

// The window's whole text (empty when it has none or cannot be read).
std::wstring WindowText(HWND window);

// The window's DPI; the screen's where the system cannot say, and 96 where neither can.
int DpiOf(HWND window);

// The whole screen of the monitor under the mouse, task bar included.
RECT ScreenUnderMouse();

// The size of `window` whose client area is exactly `clientWidth` x `clientHeight` at
// `dpi`: the frame and caption of the window's styles at that DPI are added (at the
// system's own DPI where the system cannot scale them).
SIZE OuterSizeForClient(HWND window, int clientWidth, int clientHeight, int dpi);

// Gives `window` the size `size` and centres it on `screen`.
void CentreOn(HWND window, SIZE size, const RECT& screen);

// The window property under which a dialog keeps its accelerator table (its Alt+letter
// keys), which DeliverMessage translates for it; removed before the table is destroyed.
inline constexpr wchar_t kDialogKeysProperty[] = L"VelnorDialogKeys";

// Hands one message on: to `dialog`'s accelerators (kDialogKeysProperty) or dialog keys
// (Tab, Escape, Enter, arrows) when they take it, else translated to its window procedure.
void DeliverMessage(HWND dialog, MSG& message);

// Serves the messages pending for this thread, with the dialog keys (Tab, Escape) of
// `dialog`, read before each message, so a dialog that closes meanwhile (and sets it to
// null) stops taking them. False when the program is asked to end: the quit message is
// posted again for the thread's own loop.
bool ServePendingMessages(const HWND& dialog);

// Serves the thread's messages until WM_QUIT, with the dialog keys of `dialog` (read
// before each message, as above).
void RunMessageLoop(const HWND& dialog);

}  // namespace velnor
