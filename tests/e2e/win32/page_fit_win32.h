// Whether the texts of a dialog fit their controls: each button's and label's text measured
// in the control's own font against the room the control draws it in. Font handles belong
// to their process, so this runs inside the dialog's process (page_fit_hook_win32.cpp).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velnor::e2e {

struct TextFit {
    HWND control;
    std::wstring kind;  // "button", "check", "group", "label" or "line"
    SIZE need;          // what the text takes, margins included
    SIZE have;          // the control's client size
    bool fits;
};

// Every visible button and text label below `window` (child dialogs included) with a
// text, measured; controls that scroll or draw no text of their own (edit fields,
// lists, trees, pictures) are left out.
std::vector<TextFit> MeasureTexts(HWND window);

// One line per text: "fits|CLIPPED kind=<kind> need=<w>x<h> have=<w>x<h> text="<text>"".
std::string Report(const std::vector<TextFit>& fits);

}  // namespace velnor::e2e
