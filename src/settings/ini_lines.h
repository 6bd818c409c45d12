// The line grammar of INI text, shared by the reader and the writer: lines end in LF or
// CR LF; section lines start with "[" (after blanks); comment lines with ";"; other lines
// are "key=value" or a lone key. Lines are views into the caller's buffer, never copies.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/blank_text.h"
#include "settings/ini_text.h"

namespace velnor::ini {

struct Line {
    std::string_view text;    // without its line end
    std::string_view ending;  // "\n", "\r\n" or "" for a last line without one
};

// Hands out the lines of a text one by one, in a single pass and without allocating.
class LineReader {
  public:
    explicit LineReader(std::string_view contents) : rest_(contents) {}

    bool Next(Line& line) {
        if (rest_.empty()) return false;
        const std::size_t lf = rest_.find('\n');
        if (lf == std::string_view::npos) {
            line = {rest_, {}};
            rest_ = {};
            return true;
        }
        const std::size_t textEnd = lf > 0 && rest_[lf - 1] == '\r' ? lf - 1 : lf;
        line = {rest_.substr(0, textEnd), rest_.substr(textEnd, lf + 1 - textEnd)};
        rest_.remove_prefix(lf + 1);
        return true;
    }

  private:
    std::string_view rest_;
};

inline bool IsCp932Lead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Whether `text[i]` starts a double-byte character whose second byte follows.
inline bool StartsDoubleByte(std::string_view text, std::size_t i, IniCharset charset) {
    return charset == IniCharset::kCp932 && IsCp932Lead(text[i]) && i + 1 < text.size();
}

// Position of the single-byte character `c`, skipping cp932 double-byte characters.
inline std::size_t FindSingleByte(std::string_view text, char c, IniCharset charset) {
    if (charset == IniCharset::kUtf8) return text.find(c);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (StartsDoubleByte(text, i, charset)) {
            ++i;
        } else if (text[i] == c) {
            return i;
        }
    }
    return std::string_view::npos;
}

// The section name of a "[name]" line, or nothing for other lines.
inline std::optional<std::string_view> SectionOf(std::string_view line, IniCharset charset) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    return TrimBlanks(line.substr(0, FindSingleByte(line, ']', charset)));
}

struct KeyLine {
    std::string_view key;
    std::size_t equals = std::string_view::npos;  // position of "=", npos for a lone key
};

inline std::optional<KeyLine> KeyOf(std::string_view line, IniCharset charset) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '[' || trimmed.front() == ';') return std::nullopt;
    const std::size_t equals = FindSingleByte(line, '=', charset);
    return KeyLine{TrimBlanks(line.substr(0, equals)), equals};
}

// The value of a key line: blanks trimmed, cut at a NUL, matching quotes removed.
inline std::string ValueOf(std::string_view line, const KeyLine& key) {
    if (key.equals == std::string_view::npos) return {};
    std::string_view value = line.substr(key.equals + 1);
    value = TrimBlanks(value.substr(0, value.find('\0')));
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

}  // namespace velnor::ini
