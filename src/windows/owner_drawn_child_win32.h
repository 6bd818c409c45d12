// Message handling of owner-drawn child windows that paint all of their client area
// themselves and may take clicks the way a button does, reporting each click to the
// top-level window as WM_COMMAND BN_CLICKED, so a click on them takes the buttons' route.
#pragma once

#include <windows.h>

#include <functional>

namespace velnor {

// Serves the painting messages of such a child with `paint`: no background erase,
// WM_PAINT double-buffered, WM_PRINTCLIENT into the given context, and a repaint after
// its text or enabled state changes. False for any other message.
bool ServeSelfPaintingChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                            const std::function<void(HDC)>& paint, LRESULT& result);

// Serves the mouse-button messages of a child that clicks as ClickStepsOf rules; false
// for messages that are not a button press or release.
bool ServeButtonLikeClicks(HWND child, UINT message, LPARAM lParam, bool actsOnPress);

}  // namespace velnor
