// The pictures a dialog of this process shows in its bitmap controls, summed up as the
// mean colour of each cell of a coarse grid, so a test can tell which picture a page shows
// whatever size the page stretched it to. Bitmap handles belong to their process, so this
// runs inside the dialog's process (page_fit_hook_win32.cpp).
#pragma once

#include <windows.h>

#include <string>

namespace velnor::e2e {

inline constexpr int kPictureColumns = 4;
inline constexpr int kPictureRows = 8;

// One line per visible bitmap control below `window` (child dialogs included):
// "picture size=<w>x<h> cells=<RRGGBB>,..." with the cells row by row, top row first;
// cell (i, j) spans x from i*w/columns to (i+1)*w/columns, and y alike.
std::string PictureReport(HWND window);

}  // namespace velnor::e2e
