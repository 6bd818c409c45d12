// The write sequences of the dialog's apply and factory-settings buttons.
#include "dialog/dialog_writes.h"

#include <system_error>

#include "settings/ini_file.h"
#include "settings/settings_keys.h"

namespace velnor {

std::string NumberText(long long number) {
    std::string text = number < 0 ? std::string{} : std::string(1, ' ');
    text += std::to_string(number);
    return text;
}

std::vector<IniEntry> ApplyEntries(const DialogValues& v, const TextEncoding& text) {
    std::vector<IniEntry> rows;
    const auto add = [&rows](std::string_view key, std::string value) {
        rows.push_back(IniEntry{std::string(key), std::move(value)});
    };
    add(kAspectKey, NumberText(-static_cast<long long>(v.aspValue)));
    add(kPerspectiveOnKey, NumberText(v.perspectiveOn));
    add(kPerspectiveDepthKey, NumberText(-static_cast<long long>(v.depthValue)));
    add(kBallRedKey, NumberText(v.rgbValues[0]));
    add(kBallGreenKey, NumberText(v.rgbValues[1]));
    add(kBallBlueKey, NumberText(v.rgbValues[2]));
    for (int i = 0; i < 3; ++i) {
        add(ArrayKey(kRandomStem, i), NumberText(v.randomChecks[i]));
        if (i != 0) add(ArrayKey(kLineColourStem, i), NumberText(v.lineColours[i]));
    }
    add(kSpeedKey, NumberText(v.fastValue));
    add(kScaleKey, NumberText(v.scaleValue));
    add(kPictureFolderKey, text.Utf8ToCp932(v.folderText));
    for (int i = 0; i < 4; ++i) add(ArrayKey(kPictureKindStem, i), NumberText(v.pictureKinds[i]));
    add(kPictureSizeKey, NumberText(v.pictureSize));
    add(kPictureIntervalKey, NumberText(v.intervalValue));
    add(kUseSampleKey, NumberText(v.sampleCheck));
    add(kSampleChoiceKey, NumberText(v.sampleChoice));
    return rows;
}

std::vector<IniEntry> FactoryEntries() {
    std::vector<IniEntry> rows;
    const auto add = [&rows](std::string_view key, std::string_view value) {
        rows.push_back(IniEntry{std::string(key), std::string(value)});
    };
    add(kAspectKey, "10");
    add(kPerspectiveOnKey, "0");
    add(kPerspectiveDepthKey, "20");
    add(kBallRedKey, "72");
    add(kBallGreenKey, "32");
    add(kBallBlueKey, "56");
    add(ArrayKey(kRandomStem, 0), "0");
    add(ArrayKey(kRandomStem, 1), "0");
    add(ArrayKey(kLineColourStem, 1), " 65280");
    add(ArrayKey(kRandomStem, 2), "0");
    add(ArrayKey(kLineColourStem, 2), " 16776960");
    add(kSpeedKey, "0");
    add(kScaleKey, "144");
    add(kPictureFolderKey, "");
    for (int i = 0; i < 4; ++i) add(ArrayKey(kPictureKindStem, i), "1");
    add(kPictureSizeKey, "1");
    add(kPictureIntervalKey, "30");
    add(kUseSampleKey, "1");
    add(kSampleChoiceKey, "0");
    return rows;
}

bool WriteSettingsEntries(const std::vector<IniEntry>& entries, const SettingsLocation& location,
                          const TextEncoding& text, const FolderWritableTest& folderWritable) {
    const std::filesystem::path target = SettingsFileToWrite(location, folderWritable);
    if (!target.empty() && WriteIniValues(kSectionName, entries, target, text)) return true;
    if (location.perUser.empty() || target == location.perUser) return false;
    std::error_code ignored;
    std::filesystem::create_directories(location.perUser.parent_path(), ignored);
    return WriteIniValues(kSectionName, entries, location.perUser, text);
}

}  // namespace velnor
