// The spelling of every settings key, checked against the Japanese text, and which texts
// a cp932 settings file can hold unchanged.
#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include "settings/text_encoding.h"

namespace velnor {
namespace {

// Catches a key spelled in another encoding than UTF-8, or one cp932 cannot spell (every
// cp932 file would then be rewritten in UTF-16).
TEST(SettingsKeys, AreTheirJapaneseNamesAndFitCp932) {
    const struct {
        std::string spelled;
        const char* utf8;
    } keys[] = {
        {std::string(kAspectKey), "外観"},
        {std::string(kPerspectiveOnKey), "透視画法"},
        {std::string(kPerspectiveDepthKey), "遠近の深さ"},
        {std::string(kBallRedKey), "公転球の色_赤"},
        {std::string(kBallGreenKey), "公転球の色_緑"},
        {std::string(kBallBlueKey), "公転球の色_青"},
        {ArrayKey(kRandomStem, 0), "Random_0"},
        {ArrayKey(kRandomStem, 2), "Random_2"},
        {ArrayKey(kLineColourStem, 1), "Color_1"},
        {ArrayKey(kLineColourStem, 2), "Color_2"},
        {std::string(kSpeedKey), "速さ"},
        {std::string(kScaleKey), "Scale"},
        {ArrayKey(kPictureKindStem, 0), "画像種類_0"},
        {ArrayKey(kPictureKindStem, 3), "画像種類_3"},
        {std::string(kPictureFolderKey), "画像のﾌｫﾙﾀﾞ"},
        {std::string(kPictureSizeKey), "画像のｻｲｽﾞ"},
        {std::string(kPictureIntervalKey), "画像のｲﾝﾀｰﾊﾞﾙ"},
        {std::string(kUseSampleKey), "ｻﾝﾌﾟﾙ画像有無"},
        {std::string(kSampleChoiceKey), "ｻﾝﾌﾟﾙ画像_12"},
        {std::string(kSectionName), "Section"},
    };
    const std::unique_ptr<TextEncoding> text = MakePlatformTextEncoding();
    for (const auto& key : keys) {
        EXPECT_EQ(key.spelled, key.utf8);
        EXPECT_TRUE(text->FitsCp932(key.spelled)) << key.utf8;
    }
}

TEST(SettingsKeys, OnlyTextsThatComeBackUnchangedFitTheFile) {
    const std::unique_ptr<TextEncoding> text = MakePlatformTextEncoding();
    EXPECT_TRUE(text->FitsCp932(""));
    EXPECT_TRUE(text->FitsCp932("D:\\Pictures"));
    EXPECT_TRUE(text->FitsCp932("C:\\画像\\ﾌｫﾙﾀﾞ ①"));
    EXPECT_FALSE(text->FitsCp932("C:\\사진"));
    EXPECT_FALSE(text->FitsCp932("C:\\Fotos\\Müller"));
    EXPECT_FALSE(text->FitsCp932("C:\\☃"));
    // A wave dash is written as the cp932 tilde, which reads back as the full-width tilde.
    EXPECT_FALSE(text->FitsCp932("C:\\a〜b"));
}

}  // namespace
}  // namespace velnor
