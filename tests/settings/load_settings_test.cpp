// LoadSettings: defaults, the Floor and Round reading rules, failed conversions leaving the
// field as it was, the exact keys, and the folder test and scan in the middle.
#include "settings/load_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fake_file_system.h"
#include "platform_text.h"
#include "settings/number_text.h"
#include "settings/settings_keys.h"
#include "settings/text_encoding.h"
#include "settings/utf16_text.h"
#include "temp_folder.h"

namespace velnor {
namespace {

using test::FakeFileSystem;
using test::TempFolder;

std::string Line(std::string_view key, std::string_view value) {
    return std::string(key) + "=" + std::string(value) + "\r\n";
}

SaverSettings LoadFrom(const std::string& sectionBody, FakeFileSystem& fileSystem) {
    TempFolder folder;
    const auto file = folder.Write("Velnor.ini", "[Section]\r\n" + sectionBody);
    SaverSettings settings;
    LoadSettings(settings, file, fileSystem, *MakePlatformTextEncoding());
    return settings;
}

SaverSettings LoadFrom(const std::string& sectionBody) {
    FakeFileSystem fileSystem;
    return LoadFrom(sectionBody, fileSystem);
}

TEST(LoadSettings, MissingFileGivesTheDefaults) {
    FakeFileSystem fileSystem;
    SaverSettings s;
    LoadSettings(s, "/nonexistent/folder/Velnor.ini", fileSystem, *MakePlatformTextEncoding());
    EXPECT_EQ(s.aspectTenths, 10);
    EXPECT_EQ(s.perspectiveOn, 0);
    EXPECT_EQ(s.perspectiveDepth, 20);
    EXPECT_EQ(s.ballColour, (std::array<std::int16_t, 3>{72, 32, 56}));
    EXPECT_EQ(s.randomFlags, (std::array<std::int16_t, 3>{0, 0, 0}));
    EXPECT_EQ(s.lineColours, (std::array<ColourRef, 3>{0, 65280, 16776960}));
    EXPECT_EQ(s.frameDelayMs, 0);
    EXPECT_EQ(s.scale, 128);
    EXPECT_EQ(s.pictureKinds, (PictureKindFlags{1, 1, 1, 1, 1}));
    EXPECT_EQ(s.pictureFolder, "");
    EXPECT_TRUE(s.pictures.paths.empty());
    EXPECT_EQ(s.pictureSize, 1);
    EXPECT_EQ(s.pictureInterval, 30);
    EXPECT_EQ(s.useSample, 1);
    EXPECT_EQ(s.sampleChoice, 0);
    EXPECT_EQ(s.presetTexts[9], "080-030-030");
    EXPECT_EQ(s.presetTexts[10], "");
    EXPECT_EQ((std::array{s.presetRed[0], s.presetGreen[0], s.presetBlue[0]}),
              (std::array<std::int16_t, 3>{72, 32, 56}));
    EXPECT_EQ((std::array{s.presetRed[7], s.presetGreen[7], s.presetBlue[7]}),
              (std::array<std::int16_t, 3>{68, 42, 4}));
    EXPECT_EQ(s.presetRed[10], 0);
}

TEST(LoadSettings, FloorRuleForSixteenBitKeys) {
    const struct {
        const char* text;
        std::int16_t expected;
    } cases[] = {
        {" 10", 10},  {"10", 10},         {"10.9", 10},       {"-4.5", -5},    {"abc", 0},
        {"40000", 0}, {"", 10},           {"   ", 10},        {"\"12\"", 12},  {"1e1", 10},
        {"+7", 7},    {"-32768", -32768}, {"32767.9", 32767}, {"-32768.5", 0}, {"10abc", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadFrom(Line(kAspectKey, c.text)).aspectTenths, c.expected) << c.text;
    }
}

TEST(LoadSettings, RoundRuleForLineColours) {
    const struct {
        const char* text;
        ColourRef expected;
    } cases[] = {
        {"2.5", 2}, {"3.5", 4},  {" 65280", 65280}, {"65280", 65280},           {"-1.5", -2},
        {"abc", 0}, {"", 65280}, {"4294967296", 0}, {"2147483647", 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadFrom(Line("Color_1", c.text)).lineColours[1], c.expected) << c.text;
    }
    const SaverSettings s = LoadFrom(Line("Color_0", "123") + Line("color_2", "7"));
    EXPECT_EQ(s.lineColours[0], 0);
    EXPECT_EQ(s.lineColours[2], 7);
}

TEST(LoadSettings, FailedConversionKeepsWhatTheFieldHeld) {
    // A fresh record holds zeros, which hides the difference between "left as it was" and
    // "set to 0"; a record holding other values shows it.
    TempFolder folder;
    const auto file = folder.Write(
        "Velnor.ini", "[Section]\r\n" + Line(kAspectKey, "abc") + Line(kScaleKey, "40000") +
                          Line("Color_1", "1e10") + Line(kSpeedKey, "-"));
    SaverSettings s;
    s.aspectTenths = 7;
    s.scale = 300;
    s.lineColours[1] = 5;
    s.frameDelayMs = 3;
    FakeFileSystem fileSystem;
    LoadSettings(s, file, fileSystem, *MakePlatformTextEncoding());
    EXPECT_EQ(s.aspectTenths, 7);
    EXPECT_EQ(s.scale, 300);
    EXPECT_EQ(s.lineColours[1], 5);
    EXPECT_EQ(s.frameDelayMs, 3);
    EXPECT_EQ(s.perspectiveDepth, 20) << "a missing key still takes its default";
}

TEST(LoadSettings, EveryKeyLandsInItsField) {
    std::string body;
    const std::string_view keys[] = {kAspectKey,          kPerspectiveOnKey, kPerspectiveDepthKey,
                                     kBallRedKey,         kBallGreenKey,     kBallBlueKey,
                                     kSpeedKey,           kScaleKey,         kPictureSizeKey,
                                     kPictureIntervalKey, kUseSampleKey,     kSampleChoiceKey};
    int value = 100;
    for (const auto key : keys) body += Line(key, std::to_string(value++));
    for (int i = 0; i < 3; ++i) body += Line(ArrayKey(kRandomStem, i), std::to_string(200 + i));
    for (int i = 0; i < 5; ++i)
        body += Line(ArrayKey(kPictureKindStem, i), std::to_string(300 + i));
    const SaverSettings s = LoadFrom(body);
    EXPECT_EQ(
        (std::array{s.aspectTenths, s.perspectiveOn, s.perspectiveDepth, s.ballColour[0],
                    s.ballColour[1], s.ballColour[2], s.frameDelayMs, s.scale, s.pictureSize,
                    s.pictureInterval, s.useSample, s.sampleChoice}),
        (std::array<std::int16_t, 12>{100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111}));
    EXPECT_EQ(s.randomFlags, (std::array<std::int16_t, 3>{200, 201, 202}));
    EXPECT_EQ(s.pictureKinds, (PictureKindFlags{300, 301, 302, 303, 304}));
}

TEST(LoadSettings, FullWidthKatakanaKeysDoNotMatch) {
    // "画像のサイズ" written with full-width katakana is a different key from 画像のｻｲｽﾞ.
    const std::string fullWidth = "画像のサイズ";
    ASSERT_NE(fullWidth, kPictureSizeKey);
    EXPECT_EQ(LoadFrom(Line(fullWidth, "0")).pictureSize, 1);
    EXPECT_EQ(LoadFrom(Line(kPictureSizeKey, "0")).pictureSize, 0);
}

TEST(LoadSettings, FolderIsConvertedTestedAndScannedWithTheLoadedKinds) {
    const std::string folder = std::string(1, kPathSeparator) + "写真" + std::string(1000, 'f');
    FakeFileSystem fileSystem;
    fileSystem.Add(folder, "a.bmp", 0);
    fileSystem.Add(folder, "b.gif", 0);
    fileSystem.Add(folder, "c.jpg", kAttributeArchive);
    const SaverSettings s =
        LoadFrom(test::PlatformText().Utf8ToCp932(Line(kPictureFolderKey, folder) +
                                                  Line(ArrayKey(kPictureKindStem, 1), "0")),
                 fileSystem);
    EXPECT_EQ(s.pictureFolder, folder);
    EXPECT_EQ(s.pictures.paths, (std::vector<std::string>{folder + kPathSeparator + "a.bmp",
                                                          folder + kPathSeparator + "c.jpg"}));

    // A folder that is not there now (an absent drive) stays stored, with no pictures.
    const SaverSettings missing =
        LoadFrom(Line(kPictureFolderKey, "/nope") + Line(kPictureIntervalKey, "45"));
    EXPECT_EQ(missing.pictureFolder, "/nope");
    EXPECT_TRUE(missing.pictures.paths.empty());
    EXPECT_EQ(missing.pictureInterval, 45);  // the keys after the folder are still read
}

TEST(NumberText, ParsesTheRuntimesNumberForms) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1d2", 100},
        {"1E-1", 0.1},
        {" -.5 ", -0.5},
        {"5.", 5},
        {".", std::nullopt},
        {"1e", std::nullopt},
        {"--1", std::nullopt},
        {"1 2", std::nullopt},
        {"1e400", std::nullopt},
        {"0x10", std::nullopt},
        {"1.2.3", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseNumberText(c.text), c.value) << c.text;
}

// A file saved as UTF-8 or UTF-16 (with or without a byte-order mark) loads like its cp932
// twin: catches the Japanese keys of a UTF-8 file falling back to their defaults. A pipe
// in the file's place loads as a missing file instead of waiting for a writer.
TEST(LoadSettings, FilesInEveryEncodingLoadAndAPipeCountsAsMissing) {
    TempFolder folder;
    const std::string body = "[Section]\r\n" + Line(kAspectKey, " 12") + Line(kScaleKey, "200") +
                             Line(kPictureFolderKey, "/写真");
    const std::string forms[] = {test::PlatformText().Utf8ToCp932(body), body,
                                 "\xEF\xBB\xBF" + body, Utf8ToUtf16LeWithMark(body),
                                 "\xFE\xFF" + Utf8ToUtf16(body, ByteOrder::kBig)};
    FakeFileSystem fileSystem;
    for (const std::string& bytes : forms) {
        SaverSettings loaded;
        LoadSettings(loaded, folder.Write("Velnor.ini", bytes), fileSystem, test::PlatformText());
        EXPECT_EQ(loaded.aspectTenths, 12) << testing::PrintToString(bytes.substr(0, 4));
        EXPECT_EQ(loaded.scale, 200);
        EXPECT_EQ(loaded.pictureFolder, "/写真");
    }

    const auto pipe = folder.path() / "pipe.ini";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    SaverSettings fromPipe;
    LoadSettings(fromPipe, pipe, fileSystem, test::PlatformText());
    EXPECT_EQ(fromPipe.scale, 128);
}

}  // namespace
}  // namespace velnor
