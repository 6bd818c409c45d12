// The readers of option values that are more than a flag or one number.
#include "x11/option_values.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "settings/picture_scan.h"
#include "settings/settings_table.h"

namespace velnor {

void GiveSetting(SaverOptions& o, std::string_view rowName, long long value) {
    const SettingRow* row = FindSetting(rowName);
    SetNumber(*row, o.settings.values, value);
    o.settings.given.insert(row->name);
}

std::optional<long long> WholeNumber(std::string_view text, long long low, long long high) {
    const auto value = WholeText<long long>(text);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

bool BallColour(SaverOptions& o, std::string_view text) {
    std::array<long long, 3> colour{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t comma = i < 2 ? text.find(',') : text.size();
        if (comma == std::string_view::npos) return false;
        const auto value = WholeNumber(text.substr(0, comma), 0, 255);
        if (!value) return false;
        colour[i] = *value;
        text.remove_prefix(i < 2 ? comma + 1 : comma);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        GiveSetting(o, std::array{"ball-red", "ball-green", "ball-blue"}[i], colour[i]);
    }
    return true;
}

bool PictureKinds(SaverOptions& o, std::string_view text) {
    const auto& kNames = kPictureKindNames;
    std::array<int, kPictureKindCount> kinds{};
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
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        GiveSetting(o, "kind-" + std::string(kNames[i]), kinds[i]);
    }
    return true;
}

}  // namespace velnor
