// The system dialogs that the settings dialog of another process opens and owns (the
// folder browser and the colour dialog), found and answered as a user would answer them.
// Each prints what it did or what it could not find.
#pragma once

#include <windows.h>

#include <string>

namespace velnor::e2e {

// The visible top-level window of class `className` (any case) that `owner` owns, or null.
HWND OwnedWindow(HWND owner, const wchar_t* className);

// The visible dialog box (class #32770) that `owner` owns, waiting for it up to `ms`.
HWND OwnedDialog(HWND owner, int ms);

// Selects `folder` ("Z:\a\b") in the open folder browser and presses OK.
bool Browse(HWND dialog, const std::wstring& folder);

// Posts a click on button `id` (IDOK, IDCANCEL) of the open owned dialog box.
bool PressInOwned(HWND dialog, int id);

// Clicks basic colour (row, col) of the open colour dialog where a user would, and OK.
bool ChooseColour(HWND dialog, int row, int col);

}  // namespace velnor::e2e
