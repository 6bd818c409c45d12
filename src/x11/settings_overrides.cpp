// Applies the settings given on the command line over those of the settings file; new
// picture kinds or a new folder list the folder again, as the loader does.
#include "settings/load_settings.h"
#include "settings/settings_table.h"
#include "x11/saver_options.h"

namespace velnor {

void ApplySettingsOverrides(const SettingsOverrides& o, SaverSettings& settings,
                            FileSystem& fileSystem, const ColourByName& byName,
                            const std::function<void(const std::string&)>& warn) {
    for (const SettingRow& row : SettingRows()) {
        if (!o.Given(row.name)) continue;
        const auto colourText = o.colourTexts.find(row.name);
        if (colourText == o.colourTexts.end()) {
            CopySetting(row, o.values, settings);
            continue;
        }
        const std::optional<ColourRef> colour = ParseColour(colourText->second, byName);
        SetNumber(row, settings, colour.value_or(static_cast<ColourRef>(row.valueWhenMissing)));
        if (!colour && warn) {
            warn("--" + std::string(row.name) + ": '" + colourText->second +
                 "' is not a colour; the default is used");
        }
    }
    if (!o.Given("folder") && !o.Given("kind-bmp") && !o.Given("subfolders")) return;
    ScanStoredFolder(settings, fileSystem);
}

}  // namespace velnor
