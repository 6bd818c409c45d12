// The system's own dialogs and shell services a window of the program opens: the folder
// browser, the colour dialog and the default program for an address, and the long name of
// a path given in short (8.3) form. Names travel as UTF-16 through the wide APIs.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <optional>
#include <string>

namespace velnor {

// The folder the user picked in the system's folder browser titled `title`, or nothing
// when the browser was cancelled or the choice has no file-system path (a virtual folder
// such as the computer itself).
std::optional<std::wstring> BrowseForFolder(HWND owner, const wchar_t* title);

// The file-system path of a shell item at any length (no MAX_PATH buffer cuts it), or
// nothing for a virtual folder that has none.
std::optional<std::wstring> FileSystemPathOf(PCIDLIST_ABSOLUTE item);

// `path` with every short (8.3) component replaced by its long name; nothing when the path
// cannot be looked up (it is not there now).
std::optional<std::wstring> LongPathOf(const std::wstring& path);

// The colour dialog, opened with `initial` selected (so OK without a pick keeps it) and the
// system colours 0..15 as its custom colours, without the part that defines new ones.
// Nothing when it is cancelled.
std::optional<COLORREF> PickColour(HWND owner, COLORREF initial);

// Opens `address` with the system's default program for it. The result is not examined:
// a window has nothing useful to say when no program opens.
void OpenWithDefaultProgram(HWND owner, const std::wstring& address);

}  // namespace velnor
