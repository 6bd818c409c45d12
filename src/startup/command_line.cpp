// Run-mode dispatch from the argument text.
#include "startup/command_line.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "settings/blank_text.h"
#include "startup/utf8.h"

namespace velnor {
namespace {

char32_t UpperAscii(char32_t c) {
    return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c;
}

}  // namespace

std::string ArgumentTextOf(std::string_view commandLine) {
    std::size_t pos = 0;
    while (pos < commandLine.size() && IsBlankOrLineBreak(commandLine[pos])) ++pos;
    if (pos < commandLine.size() && commandLine[pos] == '"') {
        const std::size_t close = commandLine.find('"', pos + 1);
        pos = close == std::string_view::npos ? commandLine.size() : close + 1;
    }
    while (pos < commandLine.size() && !IsBlankOrLineBreak(commandLine[pos])) ++pos;
    while (pos < commandLine.size() && IsBlankOrLineBreak(commandLine[pos])) ++pos;
    return std::string(commandLine.substr(pos));
}

double LenientNumber(std::string_view text) {
    std::string compact;
    for (char c : text) {
        if (!IsBlankOrLineBreak(c)) compact.push_back(c);
    }
    // Keep the longest prefix that forms a decimal number: sign, digits, point, exponent.
    std::size_t end = 0;
    if (end < compact.size() && (compact[end] == '+' || compact[end] == '-')) ++end;
    const std::size_t digitsStart = end;
    while (end < compact.size() && std::isdigit(static_cast<unsigned char>(compact[end]))) ++end;
    if (end < compact.size() && compact[end] == '.') {
        ++end;
        while (end < compact.size() && std::isdigit(static_cast<unsigned char>(compact[end])))
            ++end;
    }
    if (end == digitsStart || (end == digitsStart + 1 && compact[digitsStart] == '.')) return 0.0;
    if (end < compact.size() && (compact[end] == 'e' || compact[end] == 'E')) {
        std::size_t exp = end + 1;
        if (exp < compact.size() && (compact[exp] == '+' || compact[exp] == '-')) ++exp;
        const std::size_t expDigits = exp;
        while (exp < compact.size() && std::isdigit(static_cast<unsigned char>(compact[exp])))
            ++exp;
        if (exp > expDigits) end = exp;
    }
    const double value = std::strtod(compact.substr(0, end).c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

Dispatch DispatchFor(std::string_view argumentText) {
    Dispatch d;
    d.argumentText = std::string(argumentText);
    const std::u32string chars = Utf8ToUtf32(argumentText);
    d.modeLetter = chars.size() >= 2 ? UpperAscii(chars[1]) : 0;

    switch (d.modeLetter) {
        case U'P': {
            d.runMode = RunMode::preview;
            const std::string rest =
                chars.size() > 3 ? Utf32ToUtf8(chars.substr(3)) : std::string();
            // The handle is rounded to a 32-bit integer; one that does not fit stays 0.
            const double handle = std::nearbyint(LenientNumber(rest));
            if (handle >= std::numeric_limits<std::int32_t>::min() &&
                handle <= std::numeric_limits<std::int32_t>::max()) {
                d.hostWindow = static_cast<std::uint32_t>(static_cast<std::int32_t>(handle));
            }
            break;
        }
        case U'C':
            d.runMode = RunMode::configure;
            break;
        case U'S':
            d.runMode = RunMode::saver;
            break;
        default:
            d.runMode = argumentText.empty() ? RunMode::saverWithoutSwitch : RunMode::none;
            break;
    }
    return d;
}

}  // namespace velnor
