// Helpers for the system's controls in a dialog: a tooltip that shows a control's whole
// text, a list box filled with many lines at once, the Alt+letter keys as an accelerator
// table, and the style bits the dialog keys read (Tab stops, the default push button).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace velnor {

// A tooltip over `tool`, a child of `owner`, with no text yet; null if none could be made.
HWND MakeTooltip(HWND owner, HWND tool, HINSTANCE instance);
// The text `tip` shows over `tool` (a no-op for a null `tip`).
void SetTooltipText(HWND tip, HWND owner, HWND tool, std::wstring text);

// Replaces the lines of `list` with `lines` (UTF-8), filled with drawing switched off and
// drawn once at the end: a visible list redrawn for every line takes minutes for thousands
// of lines. Messages sent by other programs and the system are answered meanwhile; input
// waits in the queue. Stops early if the list is destroyed meanwhile.
void FillListBox(HWND list, const std::vector<std::string>& lines);

// Owns an accelerator table and destroys it.
struct AcceleratorsDeleter {
    void operator()(HACCEL keys) const { DestroyAcceleratorTable(keys); }
};
using AcceleratorTable = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorsDeleter>;

// An accelerator table of Alt+`letter` (upper case) for each letter, whose WM_COMMAND
// carries the letter; null if none could be made.
AcceleratorTable MakeAltLetterKeys(const std::vector<char>& letters);

// Sets or clears the style bits `flag` of `control` (WS_TABSTOP, ...), when they change.
void SetStyleFlag(HWND control, LONG_PTR flag, bool on);

// Makes `button` the default push button (the thicker frame that Enter clicks) or a plain
// one, when that changes.
void SetDefaultPushButton(HWND button, bool isDefault);

}  // namespace velnor
