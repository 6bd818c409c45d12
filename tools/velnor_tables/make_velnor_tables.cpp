// Writes the settings table and the dialog's control table as JSON (velnor_tables.json),
// so the Python tools and the end-to-end tests take the keys, their write order, the
// factory texts and the controls from the rows the programs use instead of copies.
//
// usage: make_velnor_tables OUTPUT.json
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "dialog/control_ids.h"
#include "dialog/dialog_keys.h"
#include "dialog/dialog_layout.h"
#include "settings/settings_table.h"

namespace velnor {
namespace {

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string NameOrNull(int id) {
    return id == 0 ? "null" : Quoted(control_id::NameOf(id));
}

// Each row in write order: its name, its key (UTF-8), whether it holds text, the value of
// a missing key and the factory text.
void WriteSettings(std::ostream& out) {
    out << "  \"settings\": [\n";
    bool first = true;
    for (const SettingRow& row : SettingRows()) {
        out << (first ? "" : ",\n") << "    {\"name\": " << Quoted(row.name)
            << ", \"key\": " << Quoted(row.key)
            << ", \"text\": " << (row.reading == Reading::kText ? "true" : "false")
            << ", \"valueWhenMissing\": " << row.valueWhenMissing
            << ", \"factoryText\": " << Quoted(row.factoryText) << "}";
        first = false;
    }
    out << "\n  ],\n";
}

constexpr std::string_view kKeys[] = {"none", "static", "button", "radio", "link"};

// Each control in the table's order, with what its row says it does.
void WriteControls(std::ostream& out) {
    out << "  \"controls\": [\n";
    bool first = true;
    for (const ControlSpec& control : DialogControls()) {
        out << (first ? "" : ",\n") << "    {\"name\": " << Quoted(control_id::NameOf(control.id))
            << ", \"interactive\": " << (IsInteractive(control.kind) ? "true" : "false")
            << ", \"takesFocus\": " << (TakesFocus(control) ? "true" : "false")
            << ", \"keys\": " << Quoted(kKeys[static_cast<int>(KeyRoleOf(control).keys)])
            << ", \"shows\": " << Quoted(control.shows) << ", \"selects\": " << control.selects
            << ", \"pairPartner\": " << NameOrNull(PairPartner(control.id))
            << ", \"actsOn\": " << NameOrNull(control.partner)
            << ", \"enabledBy\": " << Quoted(control.enabledBy)
            << ", \"enabledWhileZero\": " << (control.enabledWhileZero ? "true" : "false") << "}";
        first = false;
    }
    out << "\n  ],\n  \"tabOrder\": [";
    first = true;
    for (const int id : TabOrder()) {
        out << (first ? "" : ", ") << Quoted(control_id::NameOf(id));
        first = false;
    }
    out << "]\n";
}

}  // namespace
}  // namespace velnor

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_velnor_tables OUTPUT.json\n";
        return 2;
    }
    std::ostringstream json;
    json << "{\n";
    velnor::WriteSettings(json);
    velnor::WriteControls(json);
    json << "}\n";
    std::ofstream file(argv[1], std::ios::binary);
    file << json.str();
    return file.flush() ? 0 : 1;
}
