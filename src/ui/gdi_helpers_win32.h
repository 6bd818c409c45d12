// GDI helpers shared by the program's windows: owned GDI objects, double-buffered
// painting, solid and parent-pattern backgrounds, a window's client rectangle and text
// width, and the installed font faces with a check of the glyphs a face has.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace velnor {

// Serves WM_PAINT of `window`: `paint` draws the whole client area into an off-screen
// bitmap, which is then copied at once, so the window never shows a half-drawn state
// (into the window itself when no bitmap can be made).
void PaintDoubleBuffered(HWND window, const std::function<void(HDC)>& paint);

// Owns a GDI object (a brush, font or bitmap) and deletes it.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

void FillWithColour(HDC dc, const RECT& area, COLORREF colour);

// The answer to a WM_CTLCOLOR... message of `child`: `parentPattern`, a pattern brush of
// its parent's whole client area, lined up with the parent, behind transparent text.
LRESULT ParentPatternBackground(HDC dc, HWND child, HBRUSH parentPattern);

RECT ClientRectOf(HWND window);

// The width in pixels of the window's own text in `font`.
int TextWidthOf(HWND window, HFONT font);

// The faces installed for `charset`, in the system's order, as UTF-8.
std::vector<std::string> InstalledFaces(BYTE charset);

// Whether `face` (UTF-8) in `charset` has a glyph for every one of `characters`.
bool FaceHasGlyphs(std::string_view face, BYTE charset, int pixelHeight,
                   std::wstring_view characters);

// A normal-weight font `pixelHeight` pixels tall (character height) in `face` and
// `charset`, or in the system's default UI face and its character set when there is no
// `face`; the caller deletes it.
HFONT MakeFont(const std::optional<std::string>& face, BYTE charset, int pixelHeight);

}  // namespace velnor
