// The host's command line: which run mode this process serves and, for the preview,
// the host window's handle. Pure text processing, shared by the Windows entry and tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velnor {

enum class RunMode {
    preview,             // "P": still picture inside the host's pane
    configure,           // "C": settings dialog
    saver,               // "S": full screen, cursor hidden, mouse movement ends it
    saverWithoutSwitch,  // empty argument text: full screen, only a click ends it
    none,                // anything else: load the settings and end
};

struct Dispatch {
    std::string argumentText;  // the command line after the program path (UTF-8)
    char32_t modeLetter = 0;   // second character upper-cased; 0 when there is none
    RunMode runMode = RunMode::none;
    std::uint32_t hostWindow = 0;  // preview only; 0 when unusable
};

// Cuts the program path (quoted or not) and the blanks after it from a full command line.
std::string ArgumentTextOf(std::string_view commandLine);

// Classifies the argument text.
Dispatch DispatchFor(std::string_view argumentText);

// Reads a number leniently: blanks anywhere are skipped, reading stops at the first
// character that cannot continue the number, no digits gives 0.
double LenientNumber(std::string_view text);

}  // namespace velnor
