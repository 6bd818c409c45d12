// What the dialog's apply and factory-settings buttons write: key order, number texts
// with their leading blank, spins read back negated, and the factory texts as they stand.
#include "dialog/dialog_writes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../settings/platform_text.h"
#include "settings/ini_file.h"
#include "settings/text_encoding.h"
#include "temp_folder.h"

namespace velnor {
namespace {

std::vector<IniEntry> EntriesOf(const SaverSettings& values) {
    return ApplyEntries(values);
}

std::vector<IniEntry> Rows(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::vector<IniEntry> out;
    for (const auto& [key, value] : rows) out.push_back({key, value});
    return out;
}

SaverSettings LoadedDefaults() {
    SaverSettings v;
    v.aspectTenths = 10;
    v.perspectiveOn = 0;
    v.perspectiveDepth = 20;
    v.ballColour = {72, 32, 56};
    v.lineColours = {0, 65280, 16776960};
    v.frameDelayMs = 0;
    v.scale = 128;
    v.pictureKinds = {1, 1, 1, 1};
    v.pictureSize = 1;
    v.pictureInterval = 30;
    v.useSample = 1;
    v.sampleChoice = 0;
    return v;
}

TEST(DialogWrites, NumberTextHasABlankOrAMinus) {
    const std::pair<long long, const char*> cases[] = {
        {0, " 0"},
        {10, " 10"},
        {-4, "-4"},
        {65280, " 65280"},
        {16776960, " 16776960"},
        {-32768, "-32768"},
        {2147483647, " 2147483647"},
    };
    for (const auto& [number, text] : cases) EXPECT_EQ(NumberText(number), text);
}

TEST(DialogWrites, ApplyWritesEveryKeyInOrderWithLeadingBlanks) {
    EXPECT_EQ(EntriesOf(LoadedDefaults()),
              Rows({{"外観", " 10"},          {"透視画法", " 0"},       {"遠近の深さ", " 20"},
                    {"公転球の色_赤", " 72"}, {"公転球の色_緑", " 32"}, {"公転球の色_青", " 56"},
                    {"Random_0", " 0"},       {"Random_1", " 0"},       {"Color_1", " 65280"},
                    {"Random_2", " 0"},       {"Color_2", " 16776960"}, {"速さ", " 0"},
                    {"Scale", " 128"},        {"画像のﾌｫﾙﾀﾞ", ""},      {"画像種類_0", " 1"},
                    {"画像種類_1", " 1"},     {"画像種類_2", " 1"},     {"画像種類_3", " 1"},
                    {"画像のｻｲｽﾞ", " 1"},     {"画像のｲﾝﾀｰﾊﾞﾙ", " 30"}, {"ｻﾝﾌﾟﾙ画像有無", " 1"},
                    {"ｻﾝﾌﾟﾙ画像_12", " 0"}}));
}

TEST(DialogWrites, ApplyWritesValuesAndKeepsTheFolderText) {
    SaverSettings v = LoadedDefaults();
    v.aspectTenths = 16;
    v.perspectiveDepth = 12;
    v.randomFlags = {0, 1, 0};
    v.lineColours = {0x123456, 255, 0};
    v.pictureFolder = "C:\\画像\\ﾌｫﾙﾀﾞ ";
    const std::vector<IniEntry> rows = EntriesOf(v);
    ASSERT_EQ(rows.size(), 22u);
    EXPECT_EQ(rows[0].value, " 16");
    EXPECT_EQ(rows[2].value, " 12");
    const std::vector<IniEntry> randomRows(rows.begin() + 6, rows.begin() + 11);
    EXPECT_EQ(randomRows, Rows({{"Random_0", " 0"},
                                {"Random_1", " 1"},
                                {"Color_1", " 255"},
                                {"Random_2", " 0"},
                                {"Color_2", " 0"}}));
    EXPECT_EQ(rows[13].value, "C:\\画像\\ﾌｫﾙﾀﾞ ");
}

TEST(DialogWrites, FactoryTextsAreWrittenExactly) {
    EXPECT_EQ(FactoryEntries(),
              Rows({{"外観", "10"},          {"透視画法", "0"},        {"遠近の深さ", "20"},
                    {"公転球の色_赤", "72"}, {"公転球の色_緑", "32"},  {"公転球の色_青", "56"},
                    {"Random_0", "0"},       {"Random_1", "0"},        {"Color_1", " 65280"},
                    {"Random_2", "0"},       {"Color_2", " 16776960"}, {"速さ", "0"},
                    {"Scale", "144"},        {"画像のﾌｫﾙﾀﾞ", ""},      {"画像種類_0", "1"},
                    {"画像種類_1", "1"},     {"画像種類_2", "1"},      {"画像種類_3", "1"},
                    {"画像のｻｲｽﾞ", "1"},     {"画像のｲﾝﾀｰﾊﾞﾙ", "30"},  {"ｻﾝﾌﾟﾙ画像有無", "1"},
                    {"ｻﾝﾌﾟﾙ画像_12", "0"}}));
}

// Writing through the settings store: the chosen file, the per-user fallback when the
// file beside the program cannot take the values, and the report when nothing can.
TEST(DialogWrites, SettingsGoToTheWritableFileOrReportThatNoneIs) {
    test::TempFolder temp;
    const std::vector<IniEntry> entries = FactoryEntries();
    const auto always = [](const std::filesystem::path&) { return true; };
    const auto readScale = [](const std::filesystem::path& file) {
        return ReadIniValue("Section", "Scale", file, test::PlatformText());
    };

    // Beside the program when that folder takes files.
    const SettingsLocation normal =
        SettingsLocationFor(temp.path() / "program", temp.path() / "user");
    std::filesystem::create_directories(temp.path() / "program");
    EXPECT_TRUE(WriteSettingsEntries(entries, normal, test::PlatformText(), always));
    EXPECT_EQ(readScale(normal.besideProgram), "144");
    EXPECT_FALSE(std::filesystem::exists(normal.perUser));

    // The program "folder" is a file: every write there fails, all go to the per-user file.
    temp.Write("blocked", "not a folder");
    const SettingsLocation blocked =
        SettingsLocationFor(temp.path() / "blocked", temp.path() / "u2");
    EXPECT_TRUE(WriteSettingsEntries(entries, blocked, test::PlatformText(), always));
    EXPECT_EQ(readScale(blocked.perUser), "144");
    EXPECT_EQ(ReadIniValue("Section", entries.back().key, blocked.perUser, test::PlatformText()),
              "0");

    // Neither place can be written: the caller is told.
    temp.Write("alsoblocked", "not a folder either");
    const SettingsLocation nowhere =
        SettingsLocationFor(temp.path() / "blocked", temp.path() / "alsoblocked" / "sub");
    EXPECT_FALSE(WriteSettingsEntries(entries, nowhere, test::PlatformText(), always));
    const SettingsLocation noUser = SettingsLocationFor(temp.path() / "blocked", {});
    EXPECT_FALSE(WriteSettingsEntries(entries, noUser, test::PlatformText(), always));
}

}  // namespace
}  // namespace velnor
