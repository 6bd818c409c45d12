// What the dialog's "設定" and "初期設定" buttons write to the settings file: the ordered
// (key, value) rows of the settings table, built from a settings record so the order and
// the number texts are testable without windows. Keys and values are UTF-8.
#pragma once

#include <string>
#include <vector>

#include "settings/ini_text.h"
#include "settings/saver_settings.h"
#include "settings/settings_location.h"
#include "settings/text_encoding.h"

namespace velnor {

// Decimal text with one leading blank for zero and positive numbers, "-" for negative.
std::string NumberText(long long number);

// What "設定" writes: every row of the settings table in order (25 keys), each number as
// NumberText gives it and the folder text unchanged. `values` holds what the dialog's
// controls hold.
std::vector<IniEntry> ApplyEntries(const SaverSettings& values);

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
