// The settings table as a whole: each row's key is the file's, every row reads back what
// the dialog's apply writes for any value its field can hold, and the rows that the
// command line and the settings panel use are complete.
#include "settings/settings_table.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "../settings/fake_file_system.h"
#include "dialog/control_ids.h"
#include "dialog/dialog_writes.h"
#include "dialog_model_fixture.h"
#include "settings/ini_file.h"
#include "settings/load_settings.h"
#include "settings/settings_keys.h"
#include "temp_folder.h"

namespace velnor {
namespace {

// The keys' spelling and write order are the settings corpus's (ini_save_test.cpp); here:
// no key or name twice (a key written twice, a name found for the wrong row), and every
// row complete for its field, option and panel.
TEST(SettingsTable, RowsHaveOneKeyAndNameEachAndAreComplete) {
    std::set<std::string_view> names, keys;
    for (const SettingRow& row : SettingRows()) {
        EXPECT_TRUE(keys.insert(row.key).second) << "two rows with the key of " << row.name;
        EXPECT_TRUE(names.insert(row.name).second) << "two rows named " << row.name;
        EXPECT_EQ(FindSetting(row.name), &row);
        // Every row reaches a field of its own kind.
        SaverSettings s;
        EXPECT_EQ(TextOf(row, s) != nullptr, row.reading == Reading::kText) << row.name;
        if (row.option == OptionForm::kNone) continue;
        EXPECT_FALSE(row.help.empty()) << row.name;
        EXPECT_EQ(row.option == OptionForm::kSwitch, !row.offName.empty()) << row.name;
        if (row.option == OptionForm::kNumber) {
            EXPECT_LE(row.optionLow, row.low) << "the panel's range is taken: " << row.name;
            EXPECT_GE(row.optionHigh, row.high) << row.name;
        }
    }
    EXPECT_EQ(FindSetting("no-such-setting"), nullptr);
}

// Random values over each field's whole width, written as "設定" writes them, then loaded.
// The folder mixes scripts (catches a name outside cp932 coming back as '?') and may end in
// a blank or a dot (catches the reader trimming it into another folder).
TEST(SettingsTable, EveryRowReadsBackWhatApplyWrites) {
    std::mt19937 random(20261209);
    const auto text = MakePlatformTextEncoding();
    const std::string folderChars[] = {"a", "Z",  "7",  " ",  "_", "画", "像", "ﾌ", "ｫ", "-",
                                       ".", "表", "ソ", "사", "é", "Ж",  "〜", "😀", "\\"};
    for (int round = 0; round < 200; ++round) {
        SaverSettings written;
        for (const SettingRow& row : SettingRows()) {
            if (row.reading == Reading::kFloor) {
                SetNumber(row, written, std::uniform_int_distribution<int>(-32768, 32767)(random));
            } else if (row.reading == Reading::kRound) {
                SetNumber(
                    row, written,
                    std::uniform_int_distribution<std::int32_t>(INT32_MIN, INT32_MAX)(random));
            }
        }
        // A folder name that exists (a leading blank would be read as none, as in numbers).
        std::string folder = "p";
        const int length = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < length; ++i) folder += folderChars[random() % std::size(folderChars)];
        written.pictureFolder = folder;
        test::FakeFileSystem files;
        files.Add(folder, ".", kAttributeDirectory);

        test::TempFolder temp;
        const auto file = temp.path() / "Velnor.ini";
        ASSERT_TRUE(WriteIniValues(kSectionName, ApplyEntries(written), file, *text));
        SaverSettings read;
        LoadSettings(read, file, files, *text);
        for (const SettingRow& row : SettingRows()) {
            if (const std::string* folderText = TextOf(row, written)) {
                EXPECT_EQ(*TextOf(row, read), *folderText) << row.name;
            } else {
                EXPECT_EQ(NumberOf(row, read), NumberOf(row, written)) << row.name;
            }
        }
    }
}

// The dialog shows every row through the control its layout names: loaded with any values
// its controls can hold, an untouched dialog writes exactly those values back.
TEST(SettingsTable, AnUntouchedDialogWritesBackEveryRowItLoaded) {
    // One control edits each row (or one pair of squares), so no row is written twice
    // and a row left to the colour buttons is the only kind without one.
    std::map<std::string_view, int> editors;
    for (const ControlSpec& control : DialogControls()) {
        const bool edits = IsScrollBar(control.kind) || control.kind == ControlKind::kCheckBox ||
                           control.kind == ControlKind::kPathField ||
                           (control.kind == ControlKind::kOptionSquare && control.selects <= 0);
        if (edits && !control.shows.empty()) ++editors[control.shows];
    }
    for (const SettingRow& row : SettingRows()) {
        EXPECT_EQ(editors[row.name], row.reading == Reading::kRound ? 0 : 1) << row.name;
    }
    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        SaverSettings loaded = dialog_test::Defaults();
        for (const SettingRow& row : SettingRows()) {
            if (row.reading == Reading::kText) continue;
            SetNumber(row, loaded,
                      std::uniform_int_distribution<long long>(row.low, row.high)(random));
        }
        dialog_test::Dialog dialog(loaded);
        EXPECT_EQ(dialog.model.EntriesToWrite(control_id::kSaveButton), ApplyEntries(loaded));
    }
}

}  // namespace
}  // namespace velnor
