// What the dialog's apply and factory-settings buttons write: key order, number texts
// with their leading blank, spins read back negated, and the factory texts as they stand.
#include "dialog/dialog_writes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../settings/platform_text.h"
#include "../settings/save_entries.h"
#include "settings/ini_file.h"
#include "settings/settings_table.h"
#include "settings/text_encoding.h"
#include "temp_folder.h"

namespace velnor {
namespace {

std::vector<IniEntry> EntriesOf(const SaverSettings& values) {
    return ApplyEntries(values);
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
    v.pictureKinds = {1, 1, 1, 1, 1};
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

// Catches a row written out of the table's order or a number without its leading blank:
// the values that missing keys give are written back as the table's missing values.
TEST(DialogWrites, ApplyWritesEveryRowInTableOrderWithLeadingBlanks) {
    const std::vector<IniEntry> rows = EntriesOf(LoadedDefaults());
    ASSERT_EQ(rows.size(), SettingRows().size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SettingRow& row = SettingRows()[i];
        const std::string value =
            row.reading == Reading::kText ? "" : NumberText(row.valueWhenMissing);
        EXPECT_EQ(rows[i], (IniEntry{std::string(row.key), value})) << row.name;
    }
}

TEST(DialogWrites, ApplyWritesValuesAndKeepsTheFolderText) {
    SaverSettings v = LoadedDefaults();
    v.aspectTenths = 16;
    v.perspectiveDepth = 12;
    v.randomFlags = {0, 1, 0};
    v.lineColours = {0x123456, 255, 0};
    v.pictureFolder = "C:\\画像\\ﾌｫﾙﾀﾞ ";
    const std::vector<IniEntry> rows = EntriesOf(v);
    const auto valueOf = [&rows](std::string_view key) {
        for (const IniEntry& entry : rows) {
            if (entry.key == key) return entry.value;
        }
        return std::string("(not written)");
    };
    const std::pair<std::string_view, std::string> written[] = {
        {"外観", " 16"},     {"遠近の深さ", " 12"},
        {"Random_0", " 0"},  {"Random_1", " 1"},
        {"Color_1", " 255"}, {"Random_2", " 0"},
        {"Color_2", " 0"},   {"画像のﾌｫﾙﾀﾞ", "C:\\画像\\ﾌｫﾙﾀﾞ "},
    };
    for (const auto& [key, value] : written) EXPECT_EQ(valueOf(key), value) << key;
}

// "初期設定" writes exactly the entries whose bytes the settings corpus holds for a factory
// save (ini_save_test.cpp), factory texts as they stand.
TEST(DialogWrites, FactoryTextsAreWrittenExactly) {
    EXPECT_EQ(FactoryEntries(), test::FactorySaveEntries());
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
