// What the dialog's "設定" and "初期設定" buttons write to the settings file: the ordered
// (key, value) rows, built from a plain record of the controls' values so the order and
// the number texts are testable without windows. Keys and values are cp932 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/ini_text.h"
#include "settings/saver_settings.h"
#include "settings/settings_location.h"
#include "settings/text_encoding.h"

namespace velnor {

// The values that "設定" reads back: scroll bars and check boxes as their controls hold
// them (the spins negated), the rest from the settings record.
struct DialogValues {
    std::int16_t aspValue = -10;                 // Asp_V
    std::int16_t perspectiveOn = 0;              // SaverSettings
    std::int16_t depthValue = -25;               // Depth_V
    std::array<std::int16_t, 3> rgbValues{};     // H_RGB(0..2)
    std::array<std::int16_t, 3> randomChecks{};  // chk_Rdm(0..2)
    std::array<ColourRef, 3> lineColours{};      // lbl_Color(1..2) background; [0] unused
    std::int16_t fastValue = 1;                  // HS_Fast
    std::int16_t scaleValue = 144;               // H_Scale
    std::string folderText;                      // Folder_Path, UTF-8
    std::array<std::int16_t, 4> pictureKinds{};  // SaverSettings
    std::int16_t pictureSize = 0;                // SaverSettings
    std::int16_t intervalValue = 30;             // Intval
    std::int16_t sampleCheck = 1;                // Chk_Sample
    std::int16_t sampleChoice = 0;               // SaverSettings
};

// Decimal text with one leading blank for zero and positive numbers, "-" for negative.
std::string NumberText(long long number);

// The fifteen rows of "設定" in write order (22 keys: "Random_0", "Random_1", "Color_1",
// "Random_2", "Color_2" for row 7). The folder text goes through unchanged except for its
// conversion to cp932 by `text`.
std::vector<IniEntry> ApplyEntries(const DialogValues& values, const TextEncoding& text);

// The factory texts of "初期設定" in the same key order, exactly as written.
std::vector<IniEntry> FactoryEntries();

// Writes every entry, in order and in one replacement of the file, to the settings file
// chosen for writing. When an entry cannot be written there and the per-user file is
// another file, all entries are written to the per-user file instead (which readers then prefer).
// Returns whether every entry landed in one of the two files; false means the settings could not be
// saved anywhere.
bool WriteSettingsEntries(const std::vector<IniEntry>& entries, const SettingsLocation& location,
                          const TextEncoding& text,
                          const FolderWritableTest& folderWritable = FolderAcceptsNewFiles);

}  // namespace velnor
