// The settings loader. The file is read once and all keys looked up in one pass, as
// ReadIniValue reads each; a failed conversion skips that one assignment and the loader
// goes on with the next key.
#include "settings/load_settings.h"

#include <cassert>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_file.h"
#include "settings/number_text.h"
#include "settings/picture_scan.h"
#include "settings/settings_keys.h"
#include "settings/settings_table.h"
#include "settings/text_encoding.h"

namespace velnor {
namespace {

// Every key the loader reads, looked up in one pass over the file.
std::vector<std::string> LoadedKeys() {
    std::vector<std::string> keys;
    for (const SettingRow& row : SettingRows()) keys.emplace_back(row.key);
    return keys;
}

class SettingsReader {
  public:
    SettingsReader(const std::filesystem::path& file, const TextEncoding& text)
        : keys_(LoadedKeys()) {
        const std::vector<std::string_view> views(keys_.begin(), keys_.end());
        values_ = ReadIniValues(kSectionName, views, file, text);
    }

    // The value of one of LoadedKeys ("" when missing).
    const std::string& Text(std::string_view key) const {
        std::size_t k = 0;
        while (k + 1 < keys_.size() && keys_[k] != key) ++k;
        assert(keys_[k] == key);
        return values_[k];
    }

    // One number row by its reading rule: empty text gives the row's default, a text that
    // is not a number of the field's width leaves the field as it was.
    void Read(const SettingRow& row, SaverSettings& settings) const {
        const std::string& text = Text(row.key);
        if (text.empty()) {
            SetNumber(row, settings, row.valueWhenMissing);
        } else if (row.reading == Reading::kFloor) {
            if (const auto value = FloorToInt16(text)) SetNumber(row, settings, *value);
        } else if (const auto value = RoundToInt32(text)) {
            SetNumber(row, settings, *value);
        }
    }

  private:
    std::vector<std::string> keys_;
    std::vector<std::string> values_;
};

void SetPresets(SaverSettings& settings) {
    std::size_t i = 0;
    for (const BallPreset& preset : BallPresets()) {
        settings.presetTexts[i] = PresetText(preset);
        settings.presetRed[i] = preset.red;
        settings.presetGreen[i] = preset.green;
        settings.presetBlue[i] = preset.blue;
        ++i;
    }
    settings.chosenPreset.reset();  // the saver chooses one when it re-chooses the colour
}

void LoadPictureFolder(SaverSettings& settings, const SettingsReader& reader,
                       FileSystem& fileSystem) {
    settings.pictures.paths.clear();
    settings.pictureFolder = reader.Text(kPictureFolderKey);
    ScanStoredFolder(settings, fileSystem);
}

}  // namespace

void ScanStoredFolder(SaverSettings& settings, FileSystem& fileSystem) {
    settings.pictures.paths.clear();
    if (!FolderExists(settings.pictureFolder, fileSystem)) return;
    ScanPictureFolder(settings.pictureFolder, settings.pictureKinds, settings.pictures, fileSystem,
                      settings.includeSubfolders == 1);
}

void LoadSettings(SaverSettings& settings, const std::filesystem::path& iniFile,
                  FileSystem& fileSystem, const TextEncoding& text) {
    try {
        const SettingsReader reader(iniFile, text);
        SetPresets(settings);
        for (const SettingRow& row : SettingRows()) {
            if (row.reading != Reading::kText) reader.Read(row, settings);
        }
        // The folder after the picture kinds, which its scan uses.
        try {
            LoadPictureFolder(settings, reader, fileSystem);
        } catch (...) {
            // A failing folder test or scan ends only that step; what it collected stays.
        }
    } catch (...) {
        // Only allocation can fail here; the record keeps what was loaded so far.
    }
}

}  // namespace velnor
