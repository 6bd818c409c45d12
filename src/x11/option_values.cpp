// The readers of option values that are more than a flag.
#include "x11/option_values.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace velnor {

std::optional<long long> WholeNumber(std::string_view text, long long low, long long high) {
    const auto value = WholeText<long long>(text);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

std::optional<ColourRef> HexColour(std::string_view text) {
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 6) return std::nullopt;
    unsigned int rgb = 0;
    const auto [stop, status] = std::from_chars(text.data(), text.data() + 6, rgb, 16);
    if (status != std::errc() || stop != text.data() + 6) return std::nullopt;
    const unsigned int red = rgb >> 16, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return static_cast<ColourRef>(red | (green << 8) | (blue << 16));
}

bool BallColour(SaverOptions& o, std::string_view text) {
    std::array<std::int16_t, 3> colour{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? text.find(',') : text.size();
        if (comma == std::string_view::npos) return false;
        const auto value = WholeNumber(text.substr(0, comma), 0, 255);
        if (!value) return false;
        colour[i] = static_cast<std::int16_t>(*value);
        text.remove_prefix(i < 2 ? comma + 1 : comma);
    }
    o.settings.ballColour = colour;
    return true;
}

bool PictureKinds(SaverOptions& o, std::string_view text) {
    static constexpr std::string_view kNames[4] = {"bmp", "gif", "jpg", "wmf"};
    std::array<std::int16_t, 4> kinds{};
    while (!text.empty()) {
        const std::size_t comma = std::min(text.find(','), text.size());
        std::string name(text.substr(0, comma));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name == "jpeg") name = "jpg";
        const auto* found = std::find(std::begin(kNames), std::end(kNames), name);
        if (found == std::end(kNames)) return false;
        kinds[static_cast<std::size_t>(found - std::begin(kNames))] = 1;
        text.remove_prefix(comma < text.size() ? comma + 1 : comma);
    }
    if (std::count(kinds.begin(), kinds.end(), 1) == 0) return false;
    o.settings.pictureKinds = kinds;
    return true;
}

}  // namespace velnor
