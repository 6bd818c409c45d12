// The caption font of the settings dialog at a DPI: every caption and value field uses it,
// and the value-field test measures with it.
#pragma once

#include <windows.h>

namespace velnor {

// The caption font in the face ChooseCaptionFace picks among the installed Shift-JIS
// faces (with glyphs for every character of the captions' Latin texts), or the system's
// default UI font when there is none. The caller deletes it.
HFONT MakeCaptionFont(int dpi);

}  // namespace velnor
