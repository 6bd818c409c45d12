// The entries one press of "設定" or "初期設定" writes, in write order, as test data for the
// settings writer, from the settings table: the factory texts, and a set of other values
// (a Japanese folder included, in UTF-8 as values are kept) by setting name.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ini_entry_printer.h"
#include "settings/ini_text.h"
#include "settings/settings_table.h"

namespace velnor::test {

inline std::vector<IniEntry> FactorySaveEntries() {
    std::vector<IniEntry> entries;
    for (const SettingRow& row : SettingRows()) {
        entries.push_back({std::string(row.key), std::string(row.factoryText)});
    }
    return entries;
}

// Every row needs a value here: a row without one throws, which fails the test.
inline std::vector<IniEntry> OtherSaveEntries() {
    const std::map<std::string_view, std::string> values = {
        {"shape", " 12"},
        {"perspective", " 1"},
        {"depth", " 25"},
        {"ball-red", " 127"},
        {"ball-green", " 0"},
        {"ball-blue", " 99"},
        {"random-shape", " 1"},
        {"random-depth", " 0"},
        {"parallel-colour", " 255"},
        {"random-colour", " 1"},
        {"meridian-colour", " 16711680"},
        {"speed", " 10"},
        {"scale", " 384"},
        {"folder", "C:\\\xE7\x94\xBB\xE5\x83\x8F\\pics"},
        {"subfolders", " 1"},
        {"kind-bmp", " 0"},
        {"kind-gif", " 1"},
        {"kind-jpg", " 0"},
        {"kind-wmf", " 1"},
        {"kind-png", " 0"},
        {"fit", " 0"},
        {"order", " 3"},
        {"interval", " 600"},
        {"use-sample", " 0"},
        {"sample-choice", " 1"},
    };
    std::vector<IniEntry> entries;
    for (const SettingRow& row : SettingRows()) {
        entries.push_back({std::string(row.key), values.at(row.name)});
    }
    return entries;
}

}  // namespace velnor::test
