// The numeric colour forms X takes, read without a display.
#include "x11/colour_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace velnor {
namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<unsigned> Hex(std::string_view digits) {
    unsigned value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, status] = std::from_chars(digits.data(), end, value, 16);
    if (digits.empty() || status != std::errc() || stop != end) return std::nullopt;
    return value;
}

ColourRef FromComponents(unsigned red, unsigned green, unsigned blue) {
    return static_cast<ColourRef>(red | (green << 8) | (blue << 16));
}

// "#" and 3, 6, 9 or 12 hex digits: each component's digits are its high bits.
std::optional<ColourRef> Sharp(std::string_view digits) {
    if (digits.empty() || digits.size() % 3 != 0 || digits.size() > 12) return std::nullopt;
    const std::size_t n = digits.size() / 3;
    unsigned c[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const auto value = Hex(digits.substr(i * n, n));
        if (!value) return std::nullopt;
        c[i] = (*value << (16 - 4 * n)) >> 8;
    }
    return FromComponents(c[0], c[1], c[2]);
}

// "r/g/b" of `rgb:` (1 to 4 hex digits each, scaled to the full range) or of `rgbi:`
// (numbers from 0 to 1).
std::optional<ColourRef> Slashed(std::string_view parts, bool intensity) {
    unsigned c[3];
    for (int i = 0; i < 3; ++i) {
        const std::size_t slash = i < 2 ? parts.find('/') : parts.size();
        if (slash == std::string_view::npos) return std::nullopt;
        const std::string_view part = parts.substr(0, slash);
        if (intensity) {
            const std::string number(part);
            char* end = nullptr;
            const double value = std::strtod(number.c_str(), &end);
            if (number.empty() || end != number.c_str() + number.size() || !(value >= 0) ||
                value > 1) {
                return std::nullopt;
            }
            c[i] = static_cast<unsigned>(std::lround(value * 255));
        } else {
            const auto value = Hex(part);
            if (!value || part.size() > 4) return std::nullopt;
            const double full = std::pow(16.0, static_cast<double>(part.size())) - 1;
            c[i] = static_cast<unsigned>(std::lround(*value * 255.0 / full));
        }
        parts.remove_prefix(i < 2 ? slash + 1 : slash);
    }
    return FromComponents(c[0], c[1], c[2]);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

}  // namespace

std::optional<ColourRef> ParseColour(std::string_view text, const ColourByName& byName) {
    text = Trimmed(text);
    if (text.empty()) return std::nullopt;
    if (text.front() == '#') return Sharp(text.substr(1));
    if (StartsWithNoCase(text, "rgbi:")) return Slashed(text.substr(5), true);
    if (StartsWithNoCase(text, "rgb:")) return Slashed(text.substr(4), false);
    if (text.size() == 6 && Hex(text)) return Sharp(text);
    if (byName) return byName(text);
    return std::nullopt;
}

}  // namespace velnor
