// The system's own dialogs and shell services a window of the program opens: the folder
// browser, the colour dialog and the default program for an address, and the short (8.3)
// name of a folder. Names travel as UTF-16 through the wide APIs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace velnor {

// The folder the user picked in the system's folder browser titled `title`, or nothing
// when the browser was cancelled or the choice has no file-system path (a virtual folder
// such as the computer itself).
std::optional<std::wstring> BrowseForFolder(HWND owner, const wchar_t* title);

// The short (8.3) form of `folder` as UTF-8, which names the same folder in plain
// characters when the volume keeps short names; empty when it has none.
std::string ShortPathOf(const std::wstring& folder);

// The colour dialog, opened with `initial` selected (so OK without a pick keeps it) and the
// system colours 0..15 as its custom colours, without the part that defines new ones.
// Nothing when it is cancelled.
std::optional<COLORREF> PickColour(HWND owner, COLORREF initial);

// Opens `address` with the system's default program for it. The result is not examined:
// a window has nothing useful to say when no program opens.
void OpenWithDefaultProgram(HWND owner, const std::wstring& address);

}  // namespace velnor
