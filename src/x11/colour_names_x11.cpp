// XParseColor behind the portable colour reader.
#include "x11/colour_names_x11.h"

#include <string>

namespace velnor {

ColourByName XColourNames(Display* display) {
    return [display](std::string_view name) -> std::optional<ColourRef> {
        XColor colour{};
        const std::string text(name);
        if (!XParseColor(display, DefaultColormap(display, DefaultScreen(display)), text.c_str(),
                         &colour)) {
            return std::nullopt;
        }
        const unsigned red = colour.red >> 8, green = colour.green >> 8, blue = colour.blue >> 8;
        return static_cast<ColourRef>(red | (green << 8) | (blue << 16));
    };
}

}  // namespace velnor
