// Colours as X names them on a command line: "#rgb" to "#rrrrggggbbbb", "rgb:r/g/b" and
// "rgbi:r/g/b" read here, names ("green", "dark slate blue") through a resolver the X11
// half gives (XParseColor), and the settings file's older "rrggbb". Portable.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "base/colour.h"

namespace velnor {

// The colour a name stands for, or nothing when the display knows no such name.
using ColourByName = std::function<std::optional<ColourRef>(std::string_view name)>;

// `text` without the blanks around it as a colour 0x00BBGGRR, each component cut to 8
// bits as X does; nothing when it is none of the forms (or `byName`, if given, knows no
// such name).
std::optional<ColourRef> ParseColour(std::string_view text, const ColourByName& byName = {});

}  // namespace velnor
