// The write sequences of the dialog's apply and factory-settings buttons.
#include "dialog/dialog_writes.h"

#include <system_error>

#include "settings/ini_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_table.h"

namespace velnor {

std::string NumberText(long long number) {
    std::string text = number < 0 ? std::string{} : std::string(1, ' ');
    text += std::to_string(number);
    return text;
}

std::vector<IniEntry> ApplyEntries(const SaverSettings& values) {
    std::vector<IniEntry> rows;
    for (const SettingRow& row : SettingRows()) {
        const std::string* folder = TextOf(row, values);
        rows.push_back(
            IniEntry{std::string(row.key), folder ? *folder : NumberText(NumberOf(row, values))});
    }
    return rows;
}

std::vector<IniEntry> FactoryEntries() {
    std::vector<IniEntry> rows;
    for (const SettingRow& row : SettingRows()) {
        rows.push_back(IniEntry{std::string(row.key), std::string(row.factoryText)});
    }
    return rows;
}

bool WriteSettingsEntries(const std::vector<IniEntry>& entries, const SettingsLocation& location,
                          const TextEncoding& text, const FolderWritableTest& folderWritable) {
    const std::filesystem::path target = SettingsFileToWrite(location, folderWritable);
    if (!target.empty() && WriteIniValues(kSectionName, entries, target, text)) return true;
    if (location.perUser.empty() || target == location.perUser) return false;
    std::error_code ignored;
    std::filesystem::create_directories(location.perUser.parent_path(), ignored);
    return WriteIniValues(kSectionName, entries, location.perUser, text);
}

}  // namespace velnor
