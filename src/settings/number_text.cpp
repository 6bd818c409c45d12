// Parsing and formatting of the numbers stored in the settings file.
#include "settings/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

#include "base/blank_text.h"
#include "base/rounding.h"

namespace velnor {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Copies the digits (and the one decimal point) at the start of `text` into `out`;
// returns how many characters were consumed and how many digits were seen.
std::size_t TakeMantissa(std::string_view text, std::string& out, int& digits) {
    std::size_t i = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++digits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        out += c;
    }
    return i;
}

}  // namespace

std::optional<double> ParseNumberText(std::string_view text) {
    text = TrimBlanks(text);
    std::string clean;
    clean.reserve(text.size() + 1);  // a damaged file may hold millions of digits
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        if (text.front() == '-') clean += '-';
        text.remove_prefix(1);
    }
    int digits = 0;
    text.remove_prefix(TakeMantissa(text, clean, digits));
    if (digits == 0) return std::nullopt;
    if (!text.empty()) {
        const char e = text.front();
        if (e != 'e' && e != 'E' && e != 'd' && e != 'D') return std::nullopt;
        text.remove_prefix(1);
        clean += 'e';
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            clean += text.front();
            text.remove_prefix(1);
        }
        if (text.empty()) return std::nullopt;
        for (const char c : text) {
            if (!IsDigit(c)) return std::nullopt;
            clean += c;
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (error != std::errc{} || end != clean.data() + clean.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int16_t> FloorToInt16(std::string_view text) {
    const std::optional<double> value = ParseNumberText(text);
    if (!value) return std::nullopt;
    const double floored = std::floor(*value);
    if (floored < -32768.0 || floored > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(floored);
}

std::optional<std::int32_t> RoundToInt32(std::string_view text) {
    const std::optional<double> value = ParseNumberText(text);
    if (!value) return std::nullopt;
    return RoundHalfToEven<std::int32_t>(*value);
}

}  // namespace velnor
