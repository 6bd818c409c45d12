// The command line of the native Linux program: where to draw (the daemon's conventions:
// --root, --window-id, or a window of its own) and one option per setting, which
// override the settings file. Pure text processing, so every option is unit-tested.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "settings/file_system.h"
#include "settings/saver_settings.h"

namespace velnor {

enum class DrawTarget {
    kOwnWindow,    // a resizable window of the program's own (the default, or --window)
    kRoot,         // $XSCREENSAVER_WINDOW when set, else the root window
    kGivenWindow,  // the window named by --window-id (the settings program's preview)
};

// Settings the command line gives; unset ones keep what the settings file said.
struct SettingsOverrides {
    std::optional<std::int16_t> aspectTenths;
    std::optional<std::int16_t> perspectiveOn;
    std::optional<std::int16_t> perspectiveDepth;
    std::optional<std::int16_t> frameDelayMs;
    std::optional<std::int16_t> scale;
    std::optional<std::array<std::int16_t, 3>> ballColour;
    std::array<std::optional<std::int16_t>, 3> randomFlags;  // shape, depth, ball colour
    std::optional<ColourRef> parallelColour;
    std::optional<ColourRef> meridianColour;
    std::optional<std::string> pictureFolder;
    std::optional<std::array<std::int16_t, 4>> pictureKinds;  // bmp, gif, jpg, wmf
    std::optional<std::int16_t> pictureInterval;
    std::optional<std::int16_t> pictureSize;
    std::optional<std::int16_t> useSample;
    std::optional<std::int16_t> sampleChoice;
};

struct SaverOptions {
    DrawTarget target = DrawTarget::kOwnWindow;
    std::uint32_t windowId = 0;  // with kGivenWindow
    bool help = false;
    bool noSharedMemory = false;  // present with plain XPutImage even where MIT-SHM works
    std::optional<std::uint64_t> seed;
    SettingsOverrides settings;
};

// Parses the arguments after the program name. Options take "--name value",
// "--name=value" or a single dash ("-root", "-window-id 0x2a"). On a bad argument returns
// nothing and sets `error` to one line naming the option and what it accepts.
std::optional<SaverOptions> ParseSaverOptions(std::span<const std::string> arguments,
                                              std::string& error);

// A window id as the daemon passes it: decimal or 0x hexadecimal, non-zero, 32 bits.
std::optional<std::uint32_t> ParseWindowId(const std::string& text);

// Puts the overrides into `settings`. A new folder or new kinds rescan the folder as
// the loader does (a folder that does not exist leaves an empty picture list). A folder
// given without --sample or --no-sample also selects the folder as the background.
void ApplySettingsOverrides(const SettingsOverrides& overrides, SaverSettings& settings,
                            FileSystem& fileSystem);

extern const char* const kSaverUsage;

}  // namespace velnor
