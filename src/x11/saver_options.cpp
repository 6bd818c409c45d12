// Parses the native program's options: the rows of the settings table that have one,
// the few that set several rows at once, where to draw, and the options every display
// mode of the daemon takes. Each option reports a bad value the same way.
#include "x11/saver_options.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "settings/settings_table.h"
#include "x11/option_values.h"

namespace velnor {
namespace {

using Apply = std::function<bool(SaverOptions&, std::string_view)>;

struct OptionSpec {
    std::string name;  // without dashes
    bool takesValue = false;
    std::string accepts;  // for the error line
    Apply apply;
};

std::string Range(long long low, long long high) {
    return "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
}

// The options of one settings-table row.
void AddRowOptions(const SettingRow& row, std::vector<OptionSpec>& table) {
    const std::string name(row.name);
    switch (row.option) {
        case OptionForm::kNone:
            return;
        case OptionForm::kNumber:
            table.push_back({name, true, Range(row.optionLow, row.optionHigh),
                             [&row](SaverOptions& o, std::string_view text) {
                                 const auto value =
                                     WholeNumber(text, row.optionLow, row.optionHigh);
                                 if (value) GiveSetting(o, row.name, *value);
                                 return value.has_value();
                             }});
            return;
        case OptionForm::kSwitch:
            table.push_back({name, false, "", [&row](SaverOptions& o, std::string_view) {
                                 GiveSetting(o, row.name, 1);
                                 return true;
                             }});
            table.push_back(
                {std::string(row.offName), false, "", [&row](SaverOptions& o, std::string_view) {
                     GiveSetting(o, row.name, 0);
                     return true;
                 }});
            return;
        case OptionForm::kColour:
            table.push_back(
                {name, true, "a colour", [&row](SaverOptions& o, std::string_view text) {
                     o.settings.colourTexts[row.name] = std::string(text);
                     o.settings.given.insert(row.name);
                     return true;
                 }});
            return;
        case OptionForm::kText:
            table.push_back(
                {name, true, "a folder path", [&row](SaverOptions& o, std::string_view text) {
                     *row.field(o.settings.values).text = std::string(text);
                     o.settings.given.insert(row.name);
                     return !text.empty();
                 }});
            return;
    }
}

template <typename Field>
Apply Set(Field SaverOptions::*field, Field value) {
    return [=](SaverOptions& o, std::string_view) {
        o.*field = value;
        return true;
    };
}

const Apply kIgnore = [](SaverOptions&, std::string_view) { return true; };

bool GivenWindow(SaverOptions& o, std::string_view text) {
    const auto id = ParseWindowId(std::string(text));
    if (!id) return false;
    o.target = DrawTarget::kGivenWindow;
    o.windowId = *id;
    return true;
}

// -delay: microseconds between frames, as the pause after each frame in milliseconds.
bool Delay(SaverOptions& o, std::string_view text) {
    const auto micro = WholeNumber(text, 0, 100'000'000);
    const SettingRow* speed = FindSetting("speed");
    if (!micro || !speed) return false;
    GiveSetting(o, "speed", std::min(*micro / 1000, speed->optionHigh));
    return true;
}

std::vector<OptionSpec> MakeOptionTable() {
    std::vector<OptionSpec> table = {
        {"root", false, "", Set(&SaverOptions::target, DrawTarget::kRoot)},
        {"window", false, "", Set(&SaverOptions::target, DrawTarget::kOwnWindow)},
        {"window-id", true, "a window id, decimal or 0x hexadecimal", GivenWindow},
        {"display", true, "a display name",
         [](SaverOptions& o, std::string_view text) {
             o.display = std::string(text);
             return !text.empty();
         }},
        {"fps", false, "", Set(&SaverOptions::showFrameRate, true)},
        {"delay", true, "a whole number of microseconds from 0 to 100000000", Delay},
        // Taken as every display mode takes them; frames are drawn in true colour on the
        // window's own visual whatever they say.
        {"install", false, "", kIgnore},
        {"visual", true, "a visual's name or id", kIgnore},
        {"mono", false, "", kIgnore},
        {"pair", false, "", kIgnore},
        {"help", false, "", Set(&SaverOptions::help, true)},
        {"version", false, "", Set(&SaverOptions::version, true)},
        {"no-shm", false, "", Set(&SaverOptions::noSharedMemory, true)},
        {"seed", true, "a whole number from 0 to 18446744073709551615",
         [](SaverOptions& o, std::string_view text) {
             o.seed = WholeText<std::uint64_t>(text);
             return o.seed.has_value();
         }},
        {"ball-colour", true, "R,G,B with each from 0 to 255", BallColour},
        {"kinds", true, "a list of bmp, gif, jpg, wmf, png separated by commas", PictureKinds},
        {"sample", true, "1 or 2",
         [](SaverOptions& o, std::string_view text) {
             const auto value = WholeNumber(text, 1, 2);
             if (!value) return false;
             GiveSetting(o, "use-sample", 1);
             GiveSetting(o, "sample-choice", *value - 1);
             return true;
         }},
        {"order", true, "listed, name, date or shuffle",
         [](SaverOptions& o, std::string_view text) {
             constexpr std::string_view kOrders[] = {"listed", "name", "date", "shuffle"};
             const auto* found = std::find(std::begin(kOrders), std::end(kOrders), text);
             if (found == std::end(kOrders)) return false;
             GiveSetting(o, "order", found - std::begin(kOrders));
             return true;
         }},
        {"fit-whole", false, "",
         [](SaverOptions& o, std::string_view) {
             GiveSetting(o, "fit", kWholePictureSize);
             return true;
         }},
        {"no-sample", false, "",
         [](SaverOptions& o, std::string_view) {
             GiveSetting(o, "use-sample", 0);
             return true;
         }},
    };
    for (const SettingRow& row : SettingRows()) AddRowOptions(row, table);
    return table;
}

const OptionSpec* FindOption(std::string_view name) {
    static const std::vector<OptionSpec> table = MakeOptionTable();
    for (const OptionSpec& option : table) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

}  // namespace

std::optional<std::uint32_t> ParseWindowId(const std::string& text) {
    std::string_view digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    const auto id = WholeText<std::uint32_t>(digits, base);
    if (!id || *id == 0) return std::nullopt;
    return id;
}

std::optional<SaverOptions> ParseSaverOptions(std::span<const std::string> arguments,
                                              std::string& error) {
    SaverOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        std::string_view name = argument;
        if (name.starts_with("--")) {
            name.remove_prefix(2);
        } else if (name.starts_with("-") && name.size() > 1) {
            name.remove_prefix(1);
        } else {
            error = "unexpected argument '" + std::string(argument) + "' (see --help)";
            return std::nullopt;
        }
        std::optional<std::string_view> value;
        if (const std::size_t equals = name.find('='); equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name == "h") name = "help";
        const OptionSpec* option = FindOption(name);
        const std::string shown = "--" + std::string(name);
        if (!option) {
            error = "unknown option '" + std::string(argument) + "' (see --help)";
            return std::nullopt;
        }
        if (option->takesValue && !value) {
            if (i + 1 >= arguments.size()) {
                error = shown + " needs " + option->accepts;
                return std::nullopt;
            }
            value = arguments[++i];
        }
        if (!option->takesValue && value) {
            error = shown + " takes no value";
            return std::nullopt;
        }
        if (!option->apply(options, value.value_or(std::string_view{}))) {
            error = shown + ": '" + std::string(*value) + "' is not " + option->accepts;
            return std::nullopt;
        }
    }
    // A folder alone means: show its pictures.
    if (options.settings.Given("folder") && !options.settings.Given("use-sample")) {
        GiveSetting(options, "use-sample", 0);
    }
    return options;
}

}  // namespace velnor
