// Every setting described once: its key in Velnor.ini, the field of SaverSettings it
// fills, how the stored text is read, the value for a missing key, the range the dialog
// and the settings panel offer, the factory text, its command-line option and help line,
// and its control in the X11 settings panel. The loader, the dialog's writes and model,
// the native program's options, its help text, man page and settings description all
// work from these rows.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/saver_settings.h"

namespace velnor {

enum class Reading {
    kFloor,  // a 16-bit field: integer part toward minus infinity
    kRound,  // a 32-bit colour: nearest integer, ties to even
    kText,   // the folder: the text as stored (cp932 in the file, UTF-8 in memory)
};

// How the native program's command line sets the row.
enum class OptionForm {
    kNone,    // only through an option that sets several rows (ball colour, kinds, sample)
    kNumber,  // --name N, a whole number from optionLow to optionHigh
    kSwitch,  // --name sets 1, --offName sets 0
    kColour,  // --name COLOUR, anything X takes as a colour
    kText,    // --name TEXT, not empty
};

// The row's control in the settings panel of the X11 daemon.
enum class PanelControl {
    kNone,         // not shown, or shown by a control of several rows
    kSlider,       // number slider from low to high
    kCheckBox,     // boolean writing its option in both states; checked is the value that
                   // is not the default, and the label names that state
    kColour,       // free text holding a colour
    kFileChooser,  // a path chosen in a file chooser
};

// Where a field of SaverSettings is, as a pointer into a given record.
struct FieldPlace {
    std::int16_t* narrow = nullptr;  // Floor rows
    std::int32_t* wide = nullptr;    // Round rows
    std::string* text = nullptr;     // Text rows
};
using FieldOf = FieldPlace (*)(SaverSettings&);

struct SettingRow {
    std::string_view name;  // the option's name without dashes, also the row's name
    std::string_view key;   // cp932 bytes
    Reading reading = Reading::kFloor;
    FieldOf field = nullptr;
    long long valueWhenMissing = 0;  // the value of a missing or empty key (Text rows: "")
    long long low = 0, high = 0;     // what the dialog and the settings panel offer
    std::string_view factoryText;    // what "初期設定" writes, exactly
    OptionForm option = OptionForm::kNone;
    std::string_view offName;                 // kSwitch: the option that sets 0
    long long optionLow = 0, optionHigh = 0;  // kNumber: what the command line takes
    std::string_view valueName;               // "N", "MS": the option's value in the help
    std::string_view help;                    // one line (without the option) for --help
    PanelControl panel = PanelControl::kNone;
    std::string_view label, lowLabel, highLabel;  // the panel's texts
    int panelColumn = 0;  // 0..3: the panel's groups, left to right and top to bottom
};

// The 25 rows in the order "設定" and "初期設定" write them.
std::span<const SettingRow> SettingRows();

// The row named `name`, or nullptr.
const SettingRow* FindSetting(std::string_view name);

// A Floor or Round row's number in `settings` (0 for a Text row).
long long NumberOf(const SettingRow& row, const SaverSettings& settings);
// Sets a Floor or Round row's number; the caller keeps it within the field's width.
void SetNumber(const SettingRow& row, SaverSettings& settings, long long value);
// A Text row's text (UTF-8), or nullptr for number rows.
const std::string* TextOf(const SettingRow& row, const SaverSettings& settings);
// Copies the row's field from `from` to `to`.
void CopySetting(const SettingRow& row, const SaverSettings& from, SaverSettings& to);

// The preset ball colours the saver cycles through, each with the name the settings panel
// gives it.
struct BallPreset {
    std::string_view name;
    std::int16_t red = 0, green = 0, blue = 0;
};

// The kPresetCount presets, in the saver's order.
std::span<const BallPreset> BallPresets();

// A preset's colour as the loader keeps its text: "RRR-GGG-BBB", three digits each.
std::string PresetText(const BallPreset& preset);

}  // namespace velnor
