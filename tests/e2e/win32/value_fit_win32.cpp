// Test helper: measures the widest text of every value field in the dialog's own caption
// font against the field's box at a DPI, as the dialog places the box.
//   velnor_value_fit.exe <dpi>...
// One line per text and DPI: "dpi=<d> name=<control> width=<text px> room=<px>
// height=<text px> box_height=<px> fits=<0|1> text=<text>". Exit code 1 when a text does
// not fit.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "dialog/caption_font_win32.h"
#include "dialog/child_look.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_layout.h"
#include "settings/wide_text_win32.h"

namespace {

using namespace velnor;

SIZE Measure(HDC dc, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

// Whether every widest text fits at `dpi`; prints each measurement.
bool CheckDpi(HDC dc, int dpi) {
    HFONT font = MakeCaptionFont(dpi);
    HGDIOBJ old = SelectObject(dc, font);
    bool allFit = true;
    for (const ValueText& value : LongestValueTexts()) {
        const ControlSpec& control = *FindControl(value.id);
        // Captions are fitted to their design text when the dialog is made.
        const int designWidth = Measure(dc, std::string(control.caption)).cx;
        const PixelBox box = FittedCaptionBox(control, dpi, designWidth);
        const ChildLook look = LookOf(control, std::nullopt, true);
        const int edges = look.edge == ChildEdge::kNone ? 0 : 2;
        const int room = box.width - 2 * look.textInset - edges;
        const SIZE text = Measure(dc, value.text);
        // A field's text must fit its height too; captions share one height, which their
        // cell's descent may pass.
        const bool fits = text.cx <= room && (edges == 0 || text.cy <= box.height - edges);
        allFit = allFit && fits;
        std::printf("dpi=%d name=%s width=%ld room=%d height=%ld box_height=%d fits=%d text=%s\n",
                    dpi, std::string(control_id::NameOf(value.id)).c_str(), text.cx, room, text.cy,
                    box.height, fits ? 1 : 0, value.text.c_str());
    }
    SelectObject(dc, old);
    DeleteObject(font);
    return allFit;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    HDC dc = CreateCompatibleDC(nullptr);
    bool allFit = true;
    for (int i = 1; i < argc; ++i)
        allFit = CheckDpi(dc, static_cast<int>(std::wcstol(argv[i], nullptr, 10))) && allFit;
    DeleteDC(dc);
    std::fflush(stdout);
    return allFit ? 0 : 1;
}
