// The dialog's window classes: the top-level window and the small owner-drawn children
// (textured panels, captions and value fields, option squares, the preview and the
// picture box). Children find the dialog object through their top-level window.
#pragma once

#include <windows.h>

#include <string>

#include "engine/surface.h"

namespace velnor {

inline constexpr wchar_t kDialogClass[] = L"VelnorSettingsDialog";
inline constexpr wchar_t kPanelClass[] = L"VelnorPanel";
inline constexpr wchar_t kLabelClass[] = L"VelnorLabel";
inline constexpr wchar_t kSquareClass[] = L"VelnorSquare";
inline constexpr wchar_t kPreviewClass[] = L"VelnorPreviewBox";
inline constexpr wchar_t kPictureClass[] = L"VelnorPictureBox";

// Style of a caption that acts when the mouse is pressed on it (lbl_URL), not on a click.
inline constexpr DWORD kActOnPress = 0x0100;

// Registers every class once per process; false if one could not be registered.
bool RegisterDialogClasses(HINSTANCE instance);

// Copies `surface` (its pixels from (sx, sy), w x h) to `dc` at (x, y).
void DrawSurface(HDC dc, int x, int y, const Surface& surface, int sx, int sy, int w, int h);

// The window's whole text (empty when it has none or cannot be read).
std::wstring WindowText(HWND window);

// A pattern brush of `surface`'s pixels for painting child controls' backgrounds; the
// caller deletes it.
HBRUSH MakeSurfaceBrush(const Surface& surface);

}  // namespace velnor
