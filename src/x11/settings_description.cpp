// The settings program's description: the table's rows as sliders, check boxes, text
// fields and a file chooser, plus the menus that set several rows at once (the ball's
// preset colours, the background, the picture kinds), in four groups.
#include "x11/settings_description.h"

#include <string_view>
#include <vector>

#include "settings/settings_table.h"

namespace velnor {
namespace {

// A menu of the panel: each entry's label and the option it writes.
struct Menu {
    std::string_view id;
    int column;
    bool beforeRows;
    std::vector<std::pair<std::string, std::string>> entries;
};

// The ball's preset colours as the menu's entries.
std::vector<std::pair<std::string, std::string>> BallPresetEntries() {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const BallPreset& preset : BallPresets()) {
        entries.emplace_back("Ball colour: " + std::string(preset.name),
                             "--ball-colour " + std::to_string(preset.red) + "," +
                                 std::to_string(preset.green) + "," + std::to_string(preset.blue));
    }
    return entries;
}

const std::vector<Menu>& Menus() {
    static const std::vector<Menu> menus = {
        {"ballcolour", 1, true, BallPresetEntries()},
        {"background",
         2,
         true,
         {{"Background: planet", "--sample 1"},
          {"Background: nebula", "--sample 2"},
          {"Background: pictures of the folder", "--no-sample"}}},
        {"kinds",
         2,
         false,
         {{"BMP, GIF, JPEG, WMF and PNG pictures", "--kinds bmp,gif,jpg,wmf,png"},
          {"JPEG pictures only (.jpg .jpeg .jpe .jfif)", "--kinds jpg"},
          {"BMP pictures only", "--kinds bmp"},
          {"GIF pictures only", "--kinds gif"},
          {"Metafiles (WMF) only", "--kinds wmf"},
          {"PNG pictures only", "--kinds png"},
          {"BMP, GIF and JPEG", "--kinds bmp,gif,jpg"}}},
        {"fit",
         3,
         false,
         {{"Pictures fill the screen (edges may be cut)", "--fit"},
          {"Whole pictures, black bars beside them", "--fit-whole"},
          {"Pictures at their own size", "--own-size"}}},
        {"order",
         3,
         false,
         {{"Pictures in the order found", "--order listed"},
          {"Pictures by name", "--order name"},
          {"Pictures by date taken", "--order date"},
          {"Pictures shuffled", "--order shuffle"}}},
    };
    return menus;
}

std::string Id(std::string_view name) {
    std::string id;
    for (const char c : name) {
        if (c != '-') id += c;
    }
    return id;
}

std::string Attribute(std::string_view name, std::string_view value) {
    return " " + std::string(name) + "=\"" + std::string(value) + "\"";
}

std::string RowElement(const SettingRow& row) {
    const std::string id = Attribute("id", Id(row.name));
    const std::string option = "--" + std::string(row.name);
    switch (row.panel) {
        case PanelControl::kSlider:
            return "<number" + id + " type=\"slider\"" + Attribute("arg", option + " %") +
                   "\n      " + Attribute("_label", row.label) +
                   Attribute("_low-label", row.lowLabel) + Attribute("_high-label", row.highLabel) +
                   "\n      " + Attribute("low", std::to_string(row.low)) +
                   Attribute("high", std::to_string(row.high)) +
                   Attribute("default", std::to_string(row.valueWhenMissing)) + "/>";
        case PanelControl::kCheckBox: {
            // Checked is the state that is not the default.
            const std::string off = "--" + std::string(row.offName);
            const bool defaultOn = row.valueWhenMissing != 0;
            return "<boolean" + id + Attribute("_label", row.label) +
                   Attribute("arg-set", defaultOn ? off : option) +
                   Attribute("arg-unset", defaultOn ? option : off) + "/>";
        }
        case PanelControl::kColour:
            return "<string" + id + Attribute("_label", row.label) +
                   Attribute("arg", option + " %") + "/>";
        case PanelControl::kFileChooser:
            return "<file" + id + Attribute("_label", row.label) + Attribute("arg", option + " %") +
                   "/>";
        case PanelControl::kNone:
            break;
    }
    return {};
}

std::string MenuElement(const Menu& menu) {
    std::string text = "<select" + Attribute("id", menu.id) + ">\n";
    int n = 0;
    for (const auto& [label, option] : menu.entries) {
        text += "     <option" + Attribute("id", std::string(menu.id) + std::to_string(n++)) +
                Attribute("_label", label) + Attribute("arg-set", option) + "/>\n";
    }
    return text + "    </select>";
}

// Elements of one group: its menus that come first, its rows by kind (sliders, check
// boxes, text fields, file choosers) in table order, then its other menus.
std::string Column(int column) {
    std::vector<std::string> elements;
    for (const Menu& menu : Menus()) {
        if (menu.column == column && menu.beforeRows) elements.push_back(MenuElement(menu));
    }
    for (const PanelControl kind : {PanelControl::kSlider, PanelControl::kCheckBox,
                                    PanelControl::kColour, PanelControl::kFileChooser}) {
        for (const SettingRow& row : SettingRows()) {
            if (row.panel == kind && row.panelColumn == column) elements.push_back(RowElement(row));
        }
    }
    for (const Menu& menu : Menus()) {
        if (menu.column == column && !menu.beforeRows) elements.push_back(MenuElement(menu));
    }
    if (column == 3) {
        elements.push_back(
            "<boolean id=\"showfps\" _label=\"Show frame rate\" arg-set=\"--fps\"/>");
    }
    std::string text = "   <vgroup>\n";
    for (const std::string& element : elements) text += "    " + element + "\n\n";
    return text + "   </vgroup>\n";
}

}  // namespace

std::string SettingsDescriptionXml() {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n\n"
        "<screensaver name=\"velnor\" _label=\"Velnor\">\n\n"
        "  <command arg=\"--root\"/>\n\n";
    for (int group = 0; group < 2; ++group) {
        text += "  <hgroup>\n" + Column(2 * group) + Column(2 * group + 1) + "  </hgroup>\n\n";
    }
    return text +
           "  <_description>\n"
           "A wire ball spins and slowly tilts in the middle of the screen while a shaded ball\n"
           "orbits it, passing in front of it and behind it, over a sample picture or the\n"
           "pictures of a folder: BMP, GIF, JPEG (.jpg .jpeg .jpe .jfif), WMF and PNG\n"
           "pictures; other kinds are not shown. What this panel shows is all\n"
           "of the settings: under the screen saver Velnor.ini is not read.\n"
           "  </_description>\n"
           "</screensaver>\n";
}

}  // namespace velnor
