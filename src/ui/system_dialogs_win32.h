// The system's own dialogs and shell services a window of the program opens: the folder
// browser, the colour dialog and the default program for an address. Names and texts are
// UTF-8, as everywhere inside the program.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <optional>
#include <string>
#include <string_view>

#include "base/colour.h"

namespace velnor {

// The folder the user picked in the system's folder browser titled `title`, or nothing
// when the browser was cancelled or the choice has no file-system path (a virtual folder
// such as the computer itself).
std::optional<std::string> BrowseForFolder(HWND owner, std::string_view title);

// The file-system path of a shell item at any length (no MAX_PATH buffer cuts it), or
// nothing for a virtual folder that has none.
std::optional<std::wstring> FileSystemPathOf(PCIDLIST_ABSOLUTE item);

// The colour dialog, opened with `initial` selected (so OK without a pick keeps it) and the
// system colours 0..15 as its custom colours, without the part that defines new ones.
// Colours are the program's ColourRef, laid out as the system's (0x00BBGGRR). Nothing when
// it is cancelled.
std::optional<ColourRef> PickColour(HWND owner, ColourRef initial);

// Opens `address` with the system's default program for it. The result is not examined:
// a window has nothing useful to say when no program opens.
void OpenWithDefaultProgram(HWND owner, std::string_view address);

}  // namespace velnor
