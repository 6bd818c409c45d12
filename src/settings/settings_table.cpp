// The settings table. Each row is one key of Velnor.ini, in the order the dialog's
// buttons write them; the keys' spellings are in settings_keys.h.
#include "settings/settings_table.h"

#include <array>

#include "settings/settings_keys.h"

// Each row names only the columns it uses; the others keep their empty defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace velnor {
namespace {

using O = OptionForm;
using P = PanelControl;

constexpr long long kAnyColour = 0xFFFFFF;

// clang-format off
const std::array kRows = {
    SettingRow{.name = "shape", .key = kAspectKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.aspectTenths}; }, .valueWhenMissing = 10,
               .low = 4, .high = 16, .factoryText = "10", .option = O::kNumber, .optionLow = 4,
               .optionHigh = 16, .valueName = "N",
               .help = "height to width in tenths, 4 to 16 (10: round)", .panel = P::kSlider,
               .label = "Shape", .lowLabel = "Flat", .highLabel = "Tall"},
    SettingRow{.name = "perspective", .key = kPerspectiveOnKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.perspectiveOn}; }, .valueWhenMissing = 0,
               .low = 0, .high = 1, .factoryText = "0", .option = O::kSwitch,
               .offName = "no-perspective", .help = "perspective projection on or off",
               .panel = P::kCheckBox, .label = "Perspective"},
    SettingRow{.name = "depth", .key = kPerspectiveDepthKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.perspectiveDepth}; },
               .valueWhenMissing = 20, .low = 12, .high = 25, .factoryText = "20", .option = O::kNumber,
               .optionLow = 12, .optionHigh = 25, .valueName = "N",
               .help = "perspective depth, 12 to 25 (eye at 10 x N pixels)", .panel = P::kSlider,
               .label = "Perspective depth", .lowLabel = "Near", .highLabel = "Far"},
    SettingRow{.name = "ball-red", .key = kBallRedKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.ballColour[0]}; },
               .valueWhenMissing = 72, .low = 0, .high = 127, .factoryText = "72"},
    SettingRow{.name = "ball-green", .key = kBallGreenKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.ballColour[1]}; },
               .valueWhenMissing = 32, .low = 0, .high = 127, .factoryText = "32"},
    SettingRow{.name = "ball-blue", .key = kBallBlueKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.ballColour[2]}; },
               .valueWhenMissing = 56, .low = 0, .high = 127, .factoryText = "56"},
    SettingRow{.name = "random-shape", .key = kRandomKeys[0],
               .field = [](SaverSettings& s) { return FieldPlace{&s.randomFlags[0]}; },
               .valueWhenMissing = 0, .low = 0, .high = 1, .factoryText = "0", .option = O::kSwitch,
               .offName = "no-random-shape",
               .help = "choose the shape anew every tilt cycle, or not", .panel = P::kCheckBox,
               .label = "Random shape every cycle", .panelColumn = 1},
    SettingRow{.name = "random-depth", .key = kRandomKeys[1],
               .field = [](SaverSettings& s) { return FieldPlace{&s.randomFlags[1]}; },
               .valueWhenMissing = 0, .low = 0, .high = 1, .factoryText = "0", .option = O::kSwitch,
               .offName = "no-random-depth",
               .help = "choose the depth anew every tilt cycle, or not", .panel = P::kCheckBox,
               .label = "Random depth every cycle", .panelColumn = 1},
    SettingRow{.name = "parallel-colour", .key = kLineColourKeys[1], .reading = Reading::kRound,
               .field = [](SaverSettings& s) { return FieldPlace{nullptr, &s.lineColours[1]}; },
               .valueWhenMissing = 65280, .low = 0, .high = kAnyColour, .factoryText = " 65280",
               .option = O::kColour, .valueName = "COLOUR",
               .help = "colour of the parallels (default green, #00ff00)", .panel = P::kColour,
               .label = "Parallel colour (a name or #rrggbb)", .panelColumn = 1},
    SettingRow{.name = "random-colour", .key = kRandomKeys[2],
               .field = [](SaverSettings& s) { return FieldPlace{&s.randomFlags[2]}; },
               .valueWhenMissing = 0, .low = 0, .high = 1, .factoryText = "0", .option = O::kSwitch,
               .offName = "no-random-colour",
               .help = "choose the orbiting ball's colour anew every tilt cycle, or not",
               .panel = P::kCheckBox, .label = "Random ball colour every cycle", .panelColumn = 1},
    SettingRow{.name = "meridian-colour", .key = kLineColourKeys[2], .reading = Reading::kRound,
               .field = [](SaverSettings& s) { return FieldPlace{nullptr, &s.lineColours[2]}; },
               .valueWhenMissing = 16776960, .low = 0, .high = kAnyColour, .factoryText = " 16776960",
               .option = O::kColour, .valueName = "COLOUR",
               .help = "colour of the meridians (default cyan, #00ffff)", .panel = P::kColour,
               .label = "Meridian colour (a name or #rrggbb)", .panelColumn = 1},
    SettingRow{.name = "speed", .key = kSpeedKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.frameDelayMs}; }, .valueWhenMissing = 0,
               .low = 0, .high = 10, .factoryText = "0", .option = O::kNumber, .optionLow = 0,
               .optionHigh = 1000, .valueName = "MS",
               .help = "pause after each frame in milliseconds, 0 to 1000", .panel = P::kSlider,
               .label = "Pause after each frame", .lowLabel = "None", .highLabel = "10 ms"},
    SettingRow{.name = "scale", .key = kScaleKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.scale}; }, .valueWhenMissing = 128,
               .low = 96, .high = 384, .factoryText = "144", .option = O::kNumber, .optionLow = 16,
               .optionHigh = 1024, .valueName = "N",
               .help = "radius of the wire ball in pixels, 16 to 1024", .panel = P::kSlider,
               .label = "Ball size", .lowLabel = "Small", .highLabel = "Large"},
    SettingRow{.name = "folder", .key = kPictureFolderKey, .reading = Reading::kText,
               .field = [](SaverSettings& s) { return FieldPlace{nullptr, nullptr, &s.pictureFolder}; },
               .factoryText = "", .option = O::kText, .valueName = "PATH",
               .help = "picture folder, or a picture in it; a leading ~ is $HOME (implies "
                       "--no-sample unless --sample is given)",
               .panel = P::kFileChooser, .label = "Picture folder (Browse: pick any picture in it)",
               .panelColumn = 2},
    SettingRow{.name = "subfolders", .key = kSubfoldersKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.includeSubfolders}; },
               .valueWhenMissing = 0, .low = 0, .high = 1, .factoryText = "0", .option = O::kSwitch,
               .offName = "no-subfolders",
               .help = "pictures of the folder's subfolders too (hidden ones left out), or not",
               .panel = P::kCheckBox, .label = "Include subfolders", .panelColumn = 2},
    SettingRow{.name = "kind-bmp", .key = kPictureKindKeys[0],
               .field = [](SaverSettings& s) { return FieldPlace{&s.pictureKinds[0]}; },
               .valueWhenMissing = 1, .low = 0, .high = 1, .factoryText = "1"},
    SettingRow{.name = "kind-gif", .key = kPictureKindKeys[1],
               .field = [](SaverSettings& s) { return FieldPlace{&s.pictureKinds[1]}; },
               .valueWhenMissing = 1, .low = 0, .high = 1, .factoryText = "1"},
    SettingRow{.name = "kind-jpg", .key = kPictureKindKeys[2],
               .field = [](SaverSettings& s) { return FieldPlace{&s.pictureKinds[2]}; },
               .valueWhenMissing = 1, .low = 0, .high = 1, .factoryText = "1"},
    SettingRow{.name = "kind-wmf", .key = kPictureKindKeys[3],
               .field = [](SaverSettings& s) { return FieldPlace{&s.pictureKinds[3]}; },
               .valueWhenMissing = 1, .low = 0, .high = 1, .factoryText = "1"},
    // PNG came later: a file without the key showed no PNG, and showing them loses nothing.
    SettingRow{.name = "kind-png", .key = kPictureKindKeys[4],
               .field = [](SaverSettings& s) { return FieldPlace{&s.pictureKinds[4]}; },
               .valueWhenMissing = 1, .low = 0, .high = 1, .factoryText = "1"},
    SettingRow{.name = "fit", .key = kPictureSizeKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.pictureSize}; }, .valueWhenMissing = 1,
               .low = 0, .high = 2, .factoryText = "1", .option = O::kSwitch, .offName = "own-size",
               .help = "pictures fitted to the screen, or at their own size (see --fit-whole)"},
    SettingRow{.name = "order", .key = kPictureOrderKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.pictureOrder}; }, .valueWhenMissing = 0,
               .low = 0, .high = 3, .factoryText = "0"},
    SettingRow{.name = "interval", .key = kPictureIntervalKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.pictureInterval}; },
               .valueWhenMissing = 30, .low = 10, .high = 600, .factoryText = "30", .option = O::kNumber,
               .optionLow = 1, .optionHigh = 32767, .valueName = "S",
               .help = "seconds between pictures, 1 to 32767", .panel = P::kSlider,
               .label = "Change the picture every", .lowLabel = "10 seconds",
               .highLabel = "10 minutes", .panelColumn = 3},
    SettingRow{.name = "use-sample", .key = kUseSampleKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.useSample}; }, .valueWhenMissing = 1,
               .low = 0, .high = 1, .factoryText = "1"},
    SettingRow{.name = "sample-choice", .key = kSampleChoiceKey,
               .field = [](SaverSettings& s) { return FieldPlace{&s.sampleChoice}; }, .valueWhenMissing = 0,
               .low = 0, .high = 1, .factoryText = "0"},
};
// clang-format on

FieldPlace PlaceIn(const SettingRow& row, const SaverSettings& settings) {
    // The accessors only locate the field; reading through a const record stays const.
    return row.field(const_cast<SaverSettings&>(settings));
}

}  // namespace

std::span<const SettingRow> SettingRows() {
    return kRows;
}

const SettingRow* FindSetting(std::string_view name) {
    for (const SettingRow& row : kRows) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

long long NumberOf(const SettingRow& row, const SaverSettings& settings) {
    const FieldPlace place = PlaceIn(row, settings);
    if (place.narrow) return *place.narrow;
    return place.wide ? *place.wide : 0;
}

void SetNumber(const SettingRow& row, SaverSettings& settings, long long value) {
    const FieldPlace place = row.field(settings);
    if (place.narrow) *place.narrow = static_cast<std::int16_t>(value);
    if (place.wide) *place.wide = static_cast<std::int32_t>(value);
}

const std::string* TextOf(const SettingRow& row, const SaverSettings& settings) {
    return PlaceIn(row, settings).text;
}

std::span<const BallPreset> BallPresets() {
    static constexpr BallPreset kPresets[] = {
        {"mauve", 72, 32, 56},     {"navy", 0, 0, 88},    {"green", 0, 48, 0}, {"maroon", 76, 0, 0},
        {"brown", 82, 26, 0},      {"purple", 80, 0, 70}, {"teal", 0, 48, 62}, {"olive", 68, 42, 4},
        {"rose grey", 70, 48, 48}, {"brick", 80, 30, 30},
    };
    static_assert(std::size(kPresets) == kPresetCount);
    return kPresets;
}

std::string PresetText(const BallPreset& preset) {
    std::string text;
    for (const int part : {preset.red, preset.green, preset.blue}) {
        if (!text.empty()) text += '-';
        const std::string digits = std::to_string(part);
        text += std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
    }
    return text;
}

void CopySetting(const SettingRow& row, const SaverSettings& from, SaverSettings& to) {
    if (const std::string* text = TextOf(row, from)) {
        *row.field(to).text = *text;
    } else {
        SetNumber(row, to, NumberOf(row, from));
    }
}

}  // namespace velnor
