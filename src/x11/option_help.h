// The native program's options as the user reads them: one line each, grouped, for
// `velnor --help` and the man page's option list. The settings' lines come from the
// settings table. Portable.
#pragma once

#include <string>
#include <vector>

namespace velnor {

struct OptionLine {
    std::string section;   // "Where to draw", "Settings", ...
    std::string synopsis;  // "--shape N", "--perspective, --no-perspective"
    std::string help;      // one line
};

std::vector<OptionLine> OptionLines();

// The option list as man(7) text: a subsection per group, a tagged paragraph per option.
std::string ManPageOptions();

}  // namespace velnor
