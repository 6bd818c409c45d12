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
#include "settings/text_encoding.h"

namespace velnor {
namespace {

constexpr std::string_view kPresetTexts[kPresetCount] = {
    "072-032-056", "000-000-088", "000-048-000", "076-000-000", "082-026-000",
    "080-000-070", "000-048-062", "068-042-004", "070-048-048", "080-030-030",
};

// Every key the loader reads, looked up in one pass over the file.
std::vector<std::string> LoadedKeys() {
    std::vector<std::string> keys;
    for (const std::string_view key :
         {kAspectKey, kPerspectiveOnKey, kPerspectiveDepthKey, kBallRedKey, kBallGreenKey,
          kBallBlueKey, kSpeedKey, kScaleKey, kPictureFolderKey, kPictureSizeKey,
          kPictureIntervalKey, kUseSampleKey, kSampleChoiceKey}) {
        keys.emplace_back(key);
    }
    for (int i = 0; i < 3; ++i) keys.push_back(ArrayKey(kRandomStem, i));
    for (int i = 1; i < 3; ++i) keys.push_back(ArrayKey(kLineColourStem, i));
    for (int i = 0; i < 4; ++i) keys.push_back(ArrayKey(kPictureKindStem, i));
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

    // Floor into a 16-bit field; empty text gives the default.
    void Floor(std::string_view key, std::int16_t defaultValue, std::int16_t& field) const {
        const std::string& text = Text(key);
        if (text.empty()) {
            field = defaultValue;
        } else if (const auto value = FloorToInt16(text)) {
            field = *value;
        }
    }

    // Round into a 32-bit field; empty text gives the default.
    void Round(std::string_view key, std::int32_t defaultValue, std::int32_t& field) const {
        const std::string& text = Text(key);
        if (text.empty()) {
            field = defaultValue;
        } else if (const auto value = RoundToInt32(text)) {
            field = *value;
        }
    }

  private:
    std::vector<std::string> keys_;
    std::vector<std::string> values_;
};

void SetPresets(SaverSettings& settings) {
    for (int i = 0; i < kPresetCount; ++i) {
        const std::string_view text = kPresetTexts[i];
        settings.presetTexts[i] = std::string(text);
        if (const auto red = FloorToInt16(text.substr(0, 3))) settings.presetRed[i] = *red;
        if (const auto green = FloorToInt16(text.substr(4, 3))) settings.presetGreen[i] = *green;
        if (const auto blue = FloorToInt16(text.substr(8, 3))) settings.presetBlue[i] = *blue;
    }
    // presetIndex is the loop's counter and, as a counting loop leaves it, ends one past
    // the last preset; the saver sets it before using it.
    settings.presetIndex = kPresetCount;
}

// Lists the stored folder when it is there. One that is not there now (an unplugged disk,
// a share offline) stays stored, so the dialog shows it and saves it again; the saver then
// simply has no pictures from it.
void ScanStoredFolder(SaverSettings& settings, FileSystem& fileSystem) {
    if (!FolderExists(settings.pictureFolder, fileSystem)) return;
    ScanPictureFolder(settings.pictureFolder, settings.pictureKinds, settings.pictures, fileSystem);
}

void LoadPictureFolder(SaverSettings& settings, const SettingsReader& reader,
                       FileSystem& fileSystem, const TextEncoding& text) {
    settings.pictures.pictureCount = 0;
    settings.pictureFolder = text.Cp932ToUtf8(reader.Text(kPictureFolderKey));
    ScanStoredFolder(settings, fileSystem);
}

}  // namespace

void LoadSettings(SaverSettings& settings, const std::filesystem::path& iniFile,
                  FileSystem& fileSystem, const TextEncoding& text) {
    try {
        const SettingsReader reader(iniFile, text);
        SetPresets(settings);
        reader.Floor(kAspectKey, kDefaultAspectTenths, settings.aspectTenths);
        reader.Floor(kPerspectiveOnKey, kDefaultPerspectiveOn, settings.perspectiveOn);
        reader.Floor(kPerspectiveDepthKey, kDefaultPerspectiveDepth, settings.perspectiveDepth);
        const std::string_view ballKeys[3] = {kBallRedKey, kBallGreenKey, kBallBlueKey};
        for (int i = 0; i < 3; ++i) {
            reader.Floor(ballKeys[i], kDefaultBallColour[i], settings.ballColour[i]);
        }
        for (int i = 0; i < 3; ++i) {
            reader.Floor(ArrayKey(kRandomStem, i), kDefaultRandomFlag, settings.randomFlags[i]);
            if (i == 0) continue;
            reader.Round(ArrayKey(kLineColourStem, i), kDefaultLineColours[i],
                         settings.lineColours[i]);
        }
        reader.Floor(kSpeedKey, kDefaultFrameDelayMs, settings.frameDelayMs);
        reader.Floor(kScaleKey, kDefaultScale, settings.scale);
        for (int i = 0; i < 4; ++i) {
            reader.Floor(ArrayKey(kPictureKindStem, i), kDefaultPictureKind,
                         settings.pictureKinds[i]);
        }
        try {
            LoadPictureFolder(settings, reader, fileSystem, text);
        } catch (...) {
            // A failing folder test or scan ends only that step; what it collected stays.
        }
        reader.Floor(kPictureSizeKey, kDefaultPictureSize, settings.pictureSize);
        reader.Floor(kPictureIntervalKey, kDefaultPictureInterval, settings.pictureInterval);
        reader.Floor(kUseSampleKey, kDefaultUseSample, settings.useSample);
        reader.Floor(kSampleChoiceKey, kDefaultSampleChoice, settings.sampleChoice);
    } catch (...) {
        // Only allocation can fail here; the record keeps what was loaded so far.
    }
}

}  // namespace velnor
