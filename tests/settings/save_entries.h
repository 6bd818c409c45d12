// The 22 entries one press of "設定" or "初期設定" writes, in write order, as test data for the
// settings writer: the factory texts and a set of other values (a Japanese folder included).
#pragma once

#include <string>
#include <vector>

#include "settings/ini_text.h"
#include "settings/settings_keys.h"

namespace velnor::test {

// The keys in the order a save writes them, each with its value from `values` (22 texts).
inline std::vector<IniEntry> SaveEntries(const std::vector<std::string>& values) {
    std::vector<std::string> keys = {
        std::string(kAspectKey),  std::string(kPerspectiveOnKey), std::string(kPerspectiveDepthKey),
        std::string(kBallRedKey), std::string(kBallGreenKey),     std::string(kBallBlueKey)};
    for (int i = 0; i < 3; ++i) {
        keys.push_back(ArrayKey(kRandomStem, i));
        if (i != 0) keys.push_back(ArrayKey(kLineColourStem, i));
    }
    keys.insert(keys.end(),
                {std::string(kSpeedKey), std::string(kScaleKey), std::string(kPictureFolderKey)});
    for (int i = 0; i < 4; ++i) keys.push_back(ArrayKey(kPictureKindStem, i));
    keys.insert(keys.end(), {std::string(kPictureSizeKey), std::string(kPictureIntervalKey),
                             std::string(kUseSampleKey), std::string(kSampleChoiceKey)});
    std::vector<IniEntry> entries;
    for (std::size_t i = 0; i < keys.size() && i < values.size(); ++i) {
        entries.push_back({keys[i], values[i]});
    }
    return entries;
}

inline std::vector<IniEntry> FactorySaveEntries() {
    return SaveEntries({"10", "0",   "20", "72", "32", "56", "0", "0", " 65280", "0", " 16776960",
                        "0",  "144", "",   "1",  "1",  "1",  "1", "1", "30",     "1", "0"});
}

inline std::vector<IniEntry> OtherSaveEntries() {
    return SaveEntries(
        {" 12", " 1",   " 25", " 127",      " 0",  " 99",  " 1",
         " 0",  " 255", " 1",  " 16711680", " 10", " 384", "C:\\\xE7\x94\xBB\xE5\x83\x8F\\pics",
         " 0",  " 1",   " 0",  " 1",        " 0",  " 600", " 0",
         " 1"});
}

}  // namespace velnor::test
