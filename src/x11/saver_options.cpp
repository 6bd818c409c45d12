// Parses the native program's options from a table of names, what each accepts and how
// it is stored, so that every option reports a bad value the same way.
#include "x11/saver_options.h"

#include "x11/option_values.h"

#include <functional>
#include <string_view>

namespace velnor {
namespace {

// An option without a value that stores `value` in a field of SaverOptions.
template <typename Field>
auto Set(Field SaverOptions::*field, Field value) {
    return [=](SaverOptions& o, std::string_view) {
        o.*field = value;
        return true;
    };
}

// A stored 16-bit setting from a whole number in [low, high].
auto Int16Setting(std::optional<std::int16_t> SettingsOverrides::*field, long long low,
                  long long high) {
    return [=](SaverOptions& o, std::string_view text) {
        const auto value = WholeNumber(text, low, high);
        if (value) o.settings.*field = static_cast<std::int16_t>(*value);
        return value.has_value();
    };
}

auto Flag(std::optional<std::int16_t> SettingsOverrides::*field, std::int16_t value) {
    return [=](SaverOptions& o, std::string_view) {
        o.settings.*field = value;
        return true;
    };
}

auto RandomFlag(int index, std::int16_t value) {
    return [=](SaverOptions& o, std::string_view) {
        o.settings.randomFlags[static_cast<std::size_t>(index)] = value;
        return true;
    };
}

auto LineColour(std::optional<ColourRef> SettingsOverrides::*field) {
    return [=](SaverOptions& o, std::string_view text) {
        const auto colour = HexColour(text);
        if (colour) o.settings.*field = *colour;
        return colour.has_value();
    };
}

struct OptionSpec {
    std::string_view name;  // without dashes
    bool takesValue;
    std::string_view accepts;  // for the error line
    std::function<bool(SaverOptions&, std::string_view)> apply;
};

bool GivenWindow(SaverOptions& o, std::string_view text) {
    const auto id = ParseWindowId(std::string(text));
    if (!id) return false;
    o.target = DrawTarget::kGivenWindow;
    o.windowId = *id;
    return true;
}

bool Seed(SaverOptions& o, std::string_view text) {
    o.seed = WholeText<std::uint64_t>(text);
    return o.seed.has_value();
}

using S = SettingsOverrides;
const std::vector<OptionSpec> kOptionTable = {
    {"root", false, "", Set(&SaverOptions::target, DrawTarget::kRoot)},
    {"window", false, "", Set(&SaverOptions::target, DrawTarget::kOwnWindow)},
    {"window-id", true, "a window id, decimal or 0x hexadecimal", GivenWindow},
    {"help", false, "", Set(&SaverOptions::help, true)},
    {"no-shm", false, "", Set(&SaverOptions::noSharedMemory, true)},
    {"seed", true, "a whole number from 0 to 18446744073709551615", Seed},
    {"shape", true, "a whole number from 4 to 16", Int16Setting(&S::aspectTenths, 4, 16)},
    {"perspective", false, "", Flag(&S::perspectiveOn, 1)},
    {"no-perspective", false, "", Flag(&S::perspectiveOn, 0)},
    {"depth", true, "a whole number from 12 to 25", Int16Setting(&S::perspectiveDepth, 12, 25)},
    {"speed", true, "a whole number of milliseconds from 0 to 1000",
     Int16Setting(&S::frameDelayMs, 0, 1000)},
    {"scale", true, "a whole number of pixels from 16 to 1024", Int16Setting(&S::scale, 16, 1024)},
    {"ball-colour", true, "R,G,B with each from 0 to 255", BallColour},
    {"random-shape", false, "", RandomFlag(0, 1)},
    {"no-random-shape", false, "", RandomFlag(0, 0)},
    {"random-depth", false, "", RandomFlag(1, 1)},
    {"no-random-depth", false, "", RandomFlag(1, 0)},
    {"random-colour", false, "", RandomFlag(2, 1)},
    {"no-random-colour", false, "", RandomFlag(2, 0)},
    {"parallel-colour", true, "a colour RRGGBB in hexadecimal", LineColour(&S::parallelColour)},
    {"meridian-colour", true, "a colour RRGGBB in hexadecimal", LineColour(&S::meridianColour)},
    {"folder", true, "a folder path",
     [](SaverOptions& o, std::string_view text) {
         o.settings.pictureFolder = std::string(text);
         return !text.empty();
     }},
    {"kinds", true, "a list of bmp, gif, jpg, wmf separated by commas", PictureKinds},
    {"interval", true, "a whole number of seconds from 1 to 32767",
     Int16Setting(&S::pictureInterval, 1, 32767)},
    {"fit", false, "", Flag(&S::pictureSize, 1)},
    {"own-size", false, "", Flag(&S::pictureSize, 0)},
    {"sample", true, "1 or 2",
     [](SaverOptions& o, std::string_view text) {
         const auto value = WholeNumber(text, 1, 2);
         if (!value) return false;
         o.settings.useSample = 1;
         o.settings.sampleChoice = static_cast<std::int16_t>(*value - 1);
         return true;
     }},
    {"no-sample", false, "", Flag(&S::useSample, 0)},
};

const OptionSpec* FindOption(std::string_view name) {
    for (const OptionSpec& option : kOptionTable) {
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
                error = shown + " needs " + std::string(option->accepts);
                return std::nullopt;
            }
            value = arguments[++i];
        }
        if (!option->takesValue && value) {
            error = shown + " takes no value";
            return std::nullopt;
        }
        if (!option->apply(options, value.value_or(std::string_view{}))) {
            error =
                shown + ": '" + std::string(*value) + "' is not " + std::string(option->accepts);
            return std::nullopt;
        }
    }
    // A folder alone means: show its pictures.
    if (options.settings.pictureFolder && !options.settings.useSample) {
        options.settings.useSample = 0;
    }
    return options;
}

}  // namespace velnor
