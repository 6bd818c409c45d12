// The host's command line: which run mode this process serves and, for the preview,
// the host window's handle. Pure text processing, shared by the Windows entry and tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velnor {

enum class RunMode {
    preview,    // "P": still picture inside the host's pane
    configure,  // "C", or no argument text at all ("Configure" in the file's menu)
    saver,      // "S": full screen, cursor hidden, mouse movement ends it
    none,       // anything else: load the settings and end
};

struct Dispatch {
    std::string argumentText;  // the command line after the program path (UTF-8)
    char32_t modeLetter = 0;   // second character upper-cased; 0 when there is none
    RunMode runMode = RunMode::none;
    // The number from the fourth character on (/p 1234, /c:5678), read as an unsigned
    // 32-bit window handle: the preview's host pane, or the window that owns the dialog.
    // 0 when there is none or it does not fit 32 bits.
    std::uint32_t hostWindow = 0;
};

// Cuts the program path (quoted or not) and the blanks after it from a full command line.
std::string ArgumentTextOf(std::string_view commandLine);

// Classifies the argument text.
Dispatch DispatchFor(std::string_view argumentText);

// Reads a number leniently: blanks anywhere are skipped, reading stops at the first
// character that cannot continue the number, no digits gives 0.
double LenientNumber(std::string_view text);

}  // namespace velnor
