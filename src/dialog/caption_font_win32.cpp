// The dialog's caption font, chosen among the installed faces.
#include "dialog/caption_font_win32.h"

#include <optional>
#include <string>

#include "dialog/dialog_layout.h"
#include "ui/gdi_helpers_win32.h"

namespace velnor {

HFONT MakeCaptionFont(int dpi) {
    const std::optional<std::string> face =
        ChooseCaptionFace(InstalledFaces(SHIFTJIS_CHARSET), [](const std::string& candidate) {
            return FaceHasGlyphs(candidate, SHIFTJIS_CHARSET, 13, L"0123456789offon(RGB)Size:.*/");
        });
    return MakeFont(face, SHIFTJIS_CHARSET, CaptionFontHeight(dpi));
}

}  // namespace velnor
