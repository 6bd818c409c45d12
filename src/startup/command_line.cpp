// Run-mode dispatch from the argument text.
#include "startup/command_line.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/blank_text.h"
#include "base/rounding.h"
#include "startup/utf8.h"

namespace velnor {
namespace {

char32_t UpperAscii(char32_t c) {
    return (c >= U'a' && c <= U'z') ? c - U'a' + U'A' : c;
}

// The window handle that follows the mode letter's separator, from the fourth character
// on. Hosts write it as an unsigned decimal number, so 2^31..2^32-1 are handles like any
// other; a negative number is taken as the same 32 bits, as the signed reading did.
std::uint32_t HandleAfterModeLetter(const std::u32string& chars) {
    const std::string rest = chars.size() > 3 ? Utf32ToUtf8(chars.substr(3)) : std::string();
    const double number = LenientNumber(rest);
    if (const auto negative = RoundHalfToEven<std::int32_t>(number); negative && *negative < 0) {
        return static_cast<std::uint32_t>(*negative);
    }
    return RoundHalfToEven<std::uint32_t>(number).value_or(0);
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
        case U'P':
            d.runMode = RunMode::preview;
            d.hostWindow = HandleAfterModeLetter(chars);
            break;
        case U'C':
            d.runMode = RunMode::configure;
            d.hostWindow = HandleAfterModeLetter(chars);
            break;
        case U'S':
            d.runMode = RunMode::saver;
            break;
        default:
            // The system runs a screen saver without arguments for "Configure".
            d.runMode = argumentText.empty() ? RunMode::configure : RunMode::none;
            break;
    }
    return d;
}

}  // namespace velnor
