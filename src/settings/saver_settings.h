// The record of every user setting and of the ten preset ball colours, plus the
// picture list built from the chosen folder. One instance lives for the whole process;
// LoadSettings fills it, the dialog edits it, the saver reads it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/colour.h"

namespace velnor {

// Pictures of the chosen folder in scan order: full paths (UTF-8), at most
// kMaxPictureCount of them.
struct PictureList {
    std::vector<std::string> paths;
    // Attribute value of the scan pass that is running (0, 32 or 1); the dialog's own
    // folder listing runs the same passes.
    std::int16_t scanAttribute = 0;
    // Files of the chosen kinds that the last scan found beyond the list's limit.
    std::int32_t leftOut = 0;
};

inline constexpr int kPresetCount = 10;

// Which picture kinds are shown, 1 each: bmp, gif, jpg, wmf, png.
inline constexpr std::size_t kPictureKindCount = 5;
using PictureKindFlags = std::array<std::int16_t, kPictureKindCount>;

// The value of pictureSize that shows each picture whole, as large as fits, centred on
// black (letterbox or pillarbox). Other non-zero values fit as 1 does.
inline constexpr std::int16_t kWholePictureSize = 2;

// Zero-filled like a fresh program-wide record; LoadSettings puts the defaults in.
struct SaverSettings {
    std::int16_t aspectTenths = 0;              // "外観": shape in tenths, 10 = round
    std::int16_t perspectiveOn = 0;             // "透視画法"
    std::int16_t perspectiveDepth = 0;          // "遠近の深さ": eye distance / 10
    std::array<std::int16_t, 3> ballColour{};   // red, green, blue of the orbiting ball
    std::array<std::int16_t, 3> randomFlags{};  // shape, depth, ball colour re-chosen at random
    std::array<ColourRef, 3> lineColours{};     // [1] parallels, [2] meridians; [0] unused
    std::int16_t frameDelayMs = 0;              // "速さ"
    std::int16_t scale = 0;                     // "Scale": wire ball radius in pixels
    PictureKindFlags pictureKinds{};            // bmp, gif, jpg, wmf, png
    std::string pictureFolder;                  // "画像のﾌｫﾙﾀﾞ" (UTF-8 in memory)
    std::int16_t includeSubfolders = 0;  // "ｻﾌﾞﾌｫﾙﾀﾞ": 1 lists the folder's tree
    std::int16_t pictureSize = 0;        // 0 own size, 1 fitted, 2 whole
    std::int16_t pictureOrder = 0;       // "画像の順序": 0 listed, 1 name, 2 date, 3 shuffled
    std::int16_t pictureInterval = 0;    // seconds between background pictures
    std::int16_t useSample = 0;          // 1: built-in sample picture as background
    std::int16_t sampleChoice = 0;       // which sample picture, 0 or 1

    std::array<std::string, kPresetCount + 1> presetTexts{};
    std::array<std::int16_t, kPresetCount + 1> presetRed{};
    std::array<std::int16_t, kPresetCount + 1> presetGreen{};
    std::array<std::int16_t, kPresetCount + 1> presetBlue{};
    // The preset the saver last chose at random for the ball's colour (0-based); none
    // until it has chosen one.
    std::optional<std::int16_t> chosenPreset;

    PictureList pictures;
};

}  // namespace velnor
