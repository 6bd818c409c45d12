// The option lines, the usage text and the man page's option list.
#include "x11/option_help.h"

#include <cctype>

#include "settings/settings_table.h"
#include "x11/saver_options.h"

#ifndef VELNOR_VERSION
#define VELNOR_VERSION "unknown"
#endif

namespace velnor {
namespace {

std::string RowSynopsis(const SettingRow& row) {
    std::string synopsis = "--" + std::string(row.name);
    if (row.option == OptionForm::kSwitch) return synopsis + ", --" + std::string(row.offName);
    return synopsis + " " + std::string(row.valueName);
}

// Dashes as man(7) wants them, and no hyphenation inside option names.
std::string ManText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-') {
            out += "\\-";
        } else if (c == '\\') {
            out += "\\e";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::vector<OptionLine> OptionLines() {
    const std::string draw = "Where to draw", settings = "Settings",
                      standard = "Options every display mode takes", other = "Other";
    std::vector<OptionLine> lines = {
        {draw, "--window", "a window of its own, 1024x768 (default); q or Escape closes it"},
        {draw, "--root", "$XSCREENSAVER_WINDOW if set, else the root window"},
        {draw, "--window-id ID", "the window ID (decimal or 0x hexadecimal)"},
    };
    for (const SettingRow& row : SettingRows()) {
        if (row.option != OptionForm::kNone) {
            lines.push_back({settings, RowSynopsis(row), std::string(row.help)});
        }
    }
    const std::vector<OptionLine> more = {
        {settings, "--ball-colour R,G,B", "orbiting ball's colour, each 0 to 255"},
        {settings, "--sample 1|2", "a built-in sample picture as the background"},
        {settings, "--no-sample", "the folder's pictures as the background (black when none)"},
        {settings, "--kinds LIST", "picture kinds to show, from bmp,gif,jpg,wmf,png"},
        {settings, "--fit-whole", "whole pictures, as large as fits, centred on black"},
        {settings, "--order ORDER",
         "the pictures' order: listed (as found), name, date (taken, else modified) or "
         "shuffle (anew each round)"},
        {standard, "-fps", "draw the frame rate in the bottom-left corner"},
        {standard, "-delay US", "microseconds between frames: the same as --speed US/1000"},
        {standard, "-display DISPLAY", "the X display to draw on (default: $DISPLAY)"},
        {standard, "-install, -visual V, -mono, -pair",
         "taken and ignored: frames are drawn in true colour on the window's visual"},
        {other, "--seed N", "seed of the random choices (default: from the clock)"},
        {other, "--no-shm", "do not use the MIT-SHM extension"},
        {other, "--version", "the program's version"},
        {other, "--help", "this text"},
    };
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

std::string SaverUsage() {
    std::string text =
        "usage: velnor [--window | --root | --window-id ID] [options]\n"
        "Draws the Velnor wire ball. Options take one or two dashes and also the form\n"
        "--name=value. In a window of its own, settings the options leave out come from\n"
        "$XDG_CONFIG_HOME/velnor/Velnor.ini (or ~/.config/velnor/Velnor.ini); with --root\n"
        "or --window-id (the daemon and its settings panel) they take their defaults.\n"
        "BMP, GIF, JPEG (.jpg .jpeg .jpe .jfif), WMF and PNG pictures are shown.\n"
        "A colour is a name (green), #rgb, #rrggbb, #rrrrggggbbbb or rgb:r/g/b.\n";
    std::string section;
    for (const OptionLine& line : OptionLines()) {
        if (line.section != section) {
            section = line.section;
            text += section + ":\n";
        }
        std::string entry = "  " + line.synopsis;
        entry +=
            entry.size() < 23 ? std::string(23 - entry.size(), ' ') : "\n" + std::string(23, ' ');
        text += entry + line.help + "\n";
    }
    return text;
}

std::string_view SaverVersion() {
    return VELNOR_VERSION;
}

std::string ManPageOptions() {
    std::string text;
    std::string section;
    for (const OptionLine& line : OptionLines()) {
        if (line.section != section) {
            section = line.section;
            text += ".SS " + ManText(section) + "\n";
        }
        std::string help = line.help;
        if (!help.empty())
            help[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(help[0])));
        text += ".TP\n.B " + ManText(line.synopsis) + "\n" + ManText(help) + ".\n";
    }
    return text;
}

}  // namespace velnor
