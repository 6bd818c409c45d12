// Byte-level text helpers shared by the settings file, the number parser, the wildcard
// matcher and the command line: blanks, trimming and ASCII letter folding. Bytes of 0x80
// and above are never changed, so cp932 and UTF-8 text pass through untouched.
#pragma once

#include <string_view>

namespace velnor {

// A blank inside a line: space or tab.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A blank or a line break (the separators of a command line).
constexpr bool IsBlankOrLineBreak(char c) {
    return IsBlank(c) || c == '\r' || c == '\n';
}

// `text` without blanks at either end.
constexpr std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// ASCII capital letters as small letters; every other byte unchanged.
constexpr char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace velnor
