// Writes the files made from the settings table at build time: velnor.xml (--xml OUT)
// and the man page from its template, with the option list and version filled in
// (--man TEMPLATE OUT).
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "x11/option_help.h"
#include "x11/saver_options.h"
#include "x11/settings_description.h"

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string Replaced(std::string text, const std::string& mark, const std::string& with) {
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
        text.replace(at, mark.size(), with);
        at += with.size();
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--xml" && argc == 3) {
        return WriteFile(argv[2], velnor::SettingsDescriptionXml()) ? 0 : 1;
    }
    if (mode == "--man" && argc == 4) {
        std::ifstream in(argv[2], std::ios::binary);
        std::stringstream page;
        page << in.rdbuf();
        if (!in) return 1;
        std::string text = Replaced(page.str(), "@OPTIONS@\n", velnor::ManPageOptions());
        text = Replaced(text, "@VERSION@", std::string(velnor::SaverVersion()));
        return WriteFile(argv[3], text) ? 0 : 1;
    }
    std::cerr << "usage: make_velnor_docs --xml OUT | --man TEMPLATE OUT\n";
    return 2;
}
