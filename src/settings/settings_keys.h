// Section, key names and defaults of the settings file Velnor.ini. The file is cp932
// (Shift_JIS), so the Japanese key names are spelled here as cp932 bytes, one literal per
// character, to stay byte-exact whatever code page the compiler or the system assumes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velnor {

inline constexpr std::string_view kSectionName = "Section";

// clang-format off
// 外観
inline constexpr std::string_view kAspectKey = "\x8A\x4F" "\x8A\xCF";
// 透視画法
inline constexpr std::string_view kPerspectiveOnKey = "\x93\xA7" "\x8E\x8B" "\x89\xE6" "\x96\x40";
// 遠近の深さ
inline constexpr std::string_view kPerspectiveDepthKey =
    "\x89\x93" "\x8B\xDF" "\x82\xCC" "\x90\x5B" "\x82\xB3";
// 公転球の色_赤
inline constexpr std::string_view kBallRedKey =
    "\x8C\xF6" "\x93\x5D" "\x8B\x85" "\x82\xCC" "\x90\x46" "_" "\x90\xD4";
// 公転球の色_緑
inline constexpr std::string_view kBallGreenKey =
    "\x8C\xF6" "\x93\x5D" "\x8B\x85" "\x82\xCC" "\x90\x46" "_" "\x97\xCE";
// 公転球の色_青
inline constexpr std::string_view kBallBlueKey =
    "\x8C\xF6" "\x93\x5D" "\x8B\x85" "\x82\xCC" "\x90\x46" "_" "\x90\xC2";
// Random_0..2
inline constexpr std::string_view kRandomStem = "Random_";
// Color_1..2 (Color_0 is never read or written)
inline constexpr std::string_view kLineColourStem = "Color_";
// 速さ
inline constexpr std::string_view kSpeedKey = "\x91\xAC" "\x82\xB3";
inline constexpr std::string_view kScaleKey = "Scale";
// 画像種類_0..3
inline constexpr std::string_view kPictureKindStem =
    "\x89\xE6" "\x91\x9C" "\x8E\xED" "\x97\xDE" "_";
// 画像のﾌｫﾙﾀﾞ (half-width katakana)
inline constexpr std::string_view kPictureFolderKey =
    "\x89\xE6" "\x91\x9C" "\x82\xCC" "\xCC" "\xAB" "\xD9" "\xC0" "\xDE";
// 画像のｻｲｽﾞ
inline constexpr std::string_view kPictureSizeKey =
    "\x89\xE6" "\x91\x9C" "\x82\xCC" "\xBB" "\xB2" "\xBD" "\xDE";
// 画像のｲﾝﾀｰﾊﾞﾙ
inline constexpr std::string_view kPictureIntervalKey =
    "\x89\xE6" "\x91\x9C" "\x82\xCC" "\xB2" "\xDD" "\xC0" "\xB0" "\xCA" "\xDE" "\xD9";
// ｻﾝﾌﾟﾙ画像有無
inline constexpr std::string_view kUseSampleKey =
    "\xBB" "\xDD" "\xCC" "\xDF" "\xD9" "\x89\xE6" "\x91\x9C" "\x97\x4C" "\x96\xB3";
// ｻﾝﾌﾟﾙ画像_12
inline constexpr std::string_view kSampleChoiceKey =
    "\xBB" "\xDD" "\xCC" "\xDF" "\xD9" "\x89\xE6" "\x91\x9C" "_12";
// clang-format on

// The array elements' keys spelled out, for constant tables.
inline constexpr std::string_view kRandomKeys[3] = {"Random_0", "Random_1", "Random_2"};
inline constexpr std::string_view kLineColourKeys[3] = {"Color_0", "Color_1", "Color_2"};
// clang-format off
inline constexpr std::string_view kPictureKindKeys[4] = {
    "\x89\xE6" "\x91\x9C" "\x8E\xED" "\x97\xDE" "_0",
    "\x89\xE6" "\x91\x9C" "\x8E\xED" "\x97\xDE" "_1",
    "\x89\xE6" "\x91\x9C" "\x8E\xED" "\x97\xDE" "_2",
    "\x89\xE6" "\x91\x9C" "\x8E\xED" "\x97\xDE" "_3",
};
// clang-format on

// Key of an array element: the stem followed by the index as one decimal digit.
inline std::string ArrayKey(std::string_view stem, int index) {
    std::string key(stem);
    key += static_cast<char>('0' + index);
    return key;
}

}  // namespace velnor
