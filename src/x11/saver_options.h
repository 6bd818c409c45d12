// The command line of the native Linux program: where to draw (the daemon's conventions:
// --root, --window-id, or a window of its own), the options every display mode takes,
// and one option per setting of the settings table, which override the settings file.
// Pure text processing, so every option is unit-tested.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "settings/file_system.h"
#include "settings/saver_settings.h"
#include "x11/colour_text.h"

namespace velnor {

enum class DrawTarget {
    kOwnWindow,    // a resizable window of the program's own (the default, or --window)
    kRoot,         // $XSCREENSAVER_WINDOW when set, else the root window
    kGivenWindow,  // the window named by --window-id (the settings program's preview)
};

// Settings the command line gives, by the name of their settings-table row; the others
// keep what the settings file said. Colours stay text until a display can name them.
struct SettingsOverrides {
    SaverSettings values;
    std::set<std::string_view> given;
    std::map<std::string_view, std::string> colourTexts;

    bool Given(std::string_view name) const { return given.count(name) != 0; }
};

struct SaverOptions {
    DrawTarget target = DrawTarget::kOwnWindow;
    std::uint32_t windowId = 0;  // with kGivenWindow
    bool help = false;
    bool version = false;
    bool noSharedMemory = false;  // present with plain XPutImage even where MIT-SHM works
    bool showFrameRate = false;   // -fps
    std::string display;          // -display; empty: $DISPLAY
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

// Puts the overrides into `settings`. A colour that neither the numeric forms nor
// `byName` can read takes the setting's default, with one line to `warn`. A new folder or
// new kinds rescan the folder as the loader does (a folder that does not exist leaves an
// empty picture list). A folder given without --sample or --no-sample also selects the
// folder as the background.
void ApplySettingsOverrides(const SettingsOverrides& overrides, SaverSettings& settings,
                            FileSystem& fileSystem, const ColourByName& byName = {},
                            const std::function<void(const std::string&)>& warn = {});

// What `velnor --help` prints, and `velnor --version`.
std::string SaverUsage();
std::string_view SaverVersion();

}  // namespace velnor
