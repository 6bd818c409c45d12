// Section, key names and defaults of the settings file Velnor.ini. Names are UTF-8 like every
// text in the program (a cp932 file holds them in cp932), spelled here as bytes, one
// literal per character, to stay byte-exact whatever encoding the compiler assumes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velnor {

inline constexpr std::string_view kSectionName = "Section";

// clang-format off
// 外観
inline constexpr std::string_view kAspectKey = "\xE5\xA4\x96" "\xE8\xA6\xB3";
// 透視画法
inline constexpr std::string_view kPerspectiveOnKey =
    "\xE9\x80\x8F" "\xE8\xA6\x96" "\xE7\x94\xBB" "\xE6\xB3\x95";
// 遠近の深さ
inline constexpr std::string_view kPerspectiveDepthKey =
    "\xE9\x81\xA0" "\xE8\xBF\x91" "\xE3\x81\xAE" "\xE6\xB7\xB1" "\xE3\x81\x95";
// 公転球の色_赤
inline constexpr std::string_view kBallRedKey =
    "\xE5\x85\xAC" "\xE8\xBB\xA2" "\xE7\x90\x83" "\xE3\x81\xAE" "\xE8\x89\xB2" "_" "\xE8\xB5\xA4";
// 公転球の色_緑
inline constexpr std::string_view kBallGreenKey =
    "\xE5\x85\xAC" "\xE8\xBB\xA2" "\xE7\x90\x83" "\xE3\x81\xAE" "\xE8\x89\xB2" "_" "\xE7\xB7\x91";
// 公転球の色_青
inline constexpr std::string_view kBallBlueKey =
    "\xE5\x85\xAC" "\xE8\xBB\xA2" "\xE7\x90\x83" "\xE3\x81\xAE" "\xE8\x89\xB2" "_" "\xE9\x9D\x92";
// Random_0..2
inline constexpr std::string_view kRandomStem = "Random_";
// Color_1..2 (Color_0 is never read or written)
inline constexpr std::string_view kLineColourStem = "Color_";
// 速さ
inline constexpr std::string_view kSpeedKey = "\xE9\x80\x9F" "\xE3\x81\x95";
inline constexpr std::string_view kScaleKey = "Scale";
// 画像種類_0..4
inline constexpr std::string_view kPictureKindStem =
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE7\xA8\xAE" "\xE9\xA1\x9E" "_";
// 画像のﾌｫﾙﾀﾞ (half-width katakana)
inline constexpr std::string_view kPictureFolderKey =
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE3\x81\xAE" "\xEF\xBE\x8C" "\xEF\xBD\xAB" "\xEF\xBE\x99"
    "\xEF\xBE\x80" "\xEF\xBE\x9E";
// ｻﾌﾞﾌｫﾙﾀﾞ (half-width katakana)
inline constexpr std::string_view kSubfoldersKey =
    "\xEF\xBD\xBB" "\xEF\xBE\x8C" "\xEF\xBE\x9E" "\xEF\xBE\x8C" "\xEF\xBD\xAB" "\xEF\xBE\x99"
    "\xEF\xBE\x80" "\xEF\xBE\x9E";
// 画像のｻｲｽﾞ
inline constexpr std::string_view kPictureSizeKey =
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE3\x81\xAE" "\xEF\xBD\xBB" "\xEF\xBD\xB2" "\xEF\xBD\xBD"
    "\xEF\xBE\x9E";
// 画像の順序
inline constexpr std::string_view kPictureOrderKey =
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE3\x81\xAE" "\xE9\xA0\x86" "\xE5\xBA\x8F";
// 画像のｲﾝﾀｰﾊﾞﾙ
inline constexpr std::string_view kPictureIntervalKey =
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE3\x81\xAE" "\xEF\xBD\xB2" "\xEF\xBE\x9D" "\xEF\xBE\x80"
    "\xEF\xBD\xB0" "\xEF\xBE\x8A" "\xEF\xBE\x9E" "\xEF\xBE\x99";
// ｻﾝﾌﾟﾙ画像有無
inline constexpr std::string_view kUseSampleKey =
    "\xEF\xBD\xBB" "\xEF\xBE\x9D" "\xEF\xBE\x8C" "\xEF\xBE\x9F" "\xEF\xBE\x99" "\xE7\x94\xBB"
    "\xE5\x83\x8F" "\xE6\x9C\x89" "\xE7\x84\xA1";
// ｻﾝﾌﾟﾙ画像_12
inline constexpr std::string_view kSampleChoiceKey =
    "\xEF\xBD\xBB" "\xEF\xBE\x9D" "\xEF\xBE\x8C" "\xEF\xBE\x9F" "\xEF\xBE\x99" "\xE7\x94\xBB"
    "\xE5\x83\x8F" "_12";
// clang-format on

// The array elements' keys spelled out, for constant tables.
inline constexpr std::string_view kRandomKeys[3] = {"Random_0", "Random_1", "Random_2"};
inline constexpr std::string_view kLineColourKeys[3] = {"Color_0", "Color_1", "Color_2"};
// clang-format off
inline constexpr std::string_view kPictureKindKeys[5] = {
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE7\xA8\xAE" "\xE9\xA1\x9E" "_0",
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE7\xA8\xAE" "\xE9\xA1\x9E" "_1",
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE7\xA8\xAE" "\xE9\xA1\x9E" "_2",
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE7\xA8\xAE" "\xE9\xA1\x9E" "_3",
    "\xE7\x94\xBB" "\xE5\x83\x8F" "\xE7\xA8\xAE" "\xE9\xA1\x9E" "_4",
};
// clang-format on

// Key of an array element: the stem followed by the index as one decimal digit.
inline std::string ArrayKey(std::string_view stem, int index) {
    std::string key(stem);
    key += static_cast<char>('0' + index);
    return key;
}

}  // namespace velnor
