// Line-level parsing of INI text. Lines end in LF or CR LF; section lines start with "["
// (after blanks); comment lines with ";"; other lines are "key=value" or a lone key.
#include "settings/ini_text.h"

#include <vector>

namespace velnor {
namespace {

struct Line {
    std::string_view text;    // without its line end
    std::string_view ending;  // "\n", "\r\n" or "" for a last line without one
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsCp932Lead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Position of the single-byte character `c`, skipping cp932 double-byte characters.
std::size_t FindSingleByte(std::string_view text, char c) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsCp932Lead(text[i]) && i + 1 < text.size()) {
            ++i;
        } else if (text[i] == c) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::vector<Line> SplitLines(std::string_view contents) {
    std::vector<Line> lines;
    while (!contents.empty()) {
        const std::size_t lf = contents.find('\n');
        if (lf == std::string_view::npos) {
            lines.push_back({contents, {}});
            break;
        }
        const std::size_t textEnd = lf > 0 && contents[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back({contents.substr(0, textEnd), contents.substr(textEnd, lf + 1 - textEnd)});
        contents.remove_prefix(lf + 1);
    }
    return lines;
}

// The section name of a "[name]" line, or nothing for other lines.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    return TrimBlanks(line.substr(0, FindSingleByte(line, ']')));
}

struct KeyLine {
    std::string_view key;
    std::size_t equals = std::string_view::npos;  // position of "=", npos for a lone key
};

std::optional<KeyLine> KeyOf(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == '[' || trimmed.front() == ';') return std::nullopt;
    const std::size_t equals = FindSingleByte(line, '=');
    return KeyLine{TrimBlanks(line.substr(0, equals)), equals};
}

std::string ValueOf(std::string_view line, const KeyLine& key) {
    if (key.equals == std::string_view::npos) return {};
    std::string_view value = line.substr(key.equals + 1);
    value = TrimBlanks(value.substr(0, value.find('\0')));
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

struct Position {
    std::optional<std::size_t> keyLine;      // the line holding the key
    std::optional<std::size_t> sectionLast;  // last non-blank line of the first section
};

Position Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Position at;
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionOf(lines[i].text)) {
            inSection = SameIniName(*name, section);
            inFirstSection = inSection && !at.sectionLast;
            if (inFirstSection) at.sectionLast = i;
            continue;
        }
        if (!inSection) continue;
        if (inFirstSection && !TrimBlanks(lines[i].text).empty()) at.sectionLast = i;
        const auto keyLine = KeyOf(lines[i].text);
        if (keyLine && SameIniName(keyLine->key, key)) {
            at.keyLine = i;
            return at;
        }
    }
    return at;
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

bool SameIniName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsCp932Lead(a[i]) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> FindIniValue(std::string_view contents, std::string_view section,
                                        std::string_view key) {
    const std::vector<Line> lines = SplitLines(contents);
    const Position at = Locate(lines, section, key);
    if (!at.keyLine) return std::nullopt;
    const std::string_view text = lines[*at.keyLine].text;
    return ValueOf(text, *KeyOf(text));
}

bool IsWritableIniEntry(std::string_view section, std::string_view key, std::string_view value) {
    const auto wellFormedName = [](std::string_view name) {
        return !name.empty() && !HasLineBreakOrNul(name) && TrimBlanks(name) == name;
    };
    return wellFormedName(section) && FindSingleByte(section, ']') == std::string_view::npos &&
           wellFormedName(key) && FindSingleByte(key, '=') == std::string_view::npos &&
           key.front() != '[' && key.front() != ';' && !HasLineBreakOrNul(value);
}

std::string WithIniValue(std::string_view contents, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::vector<Line> lines = SplitLines(contents);
    const Position at = Locate(lines, section, key);
    std::string out;
    out.reserve(contents.size() + section.size() + key.size() + value.size() + 8);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (at.keyLine == i) {
            const KeyLine keyLine = *KeyOf(line.text);
            if (keyLine.equals == std::string_view::npos) {
                out.append(TrimBlanks(line.text)).append("=");
            } else {
                out.append(line.text.substr(0, keyLine.equals + 1));
            }
            out.append(value).append(line.ending);
            continue;
        }
        out.append(line.text).append(line.ending);
        if (!at.keyLine && at.sectionLast == i) {
            if (line.ending.empty()) out.append("\r\n");
            out.append(key).append("=").append(value).append("\r\n");
        }
    }
    if (!at.keyLine && !at.sectionLast) {
        if (!out.empty() && out.back() != '\n') out.append("\r\n");
        if (!lines.empty() && !TrimBlanks(lines.back().text).empty()) out.append("\r\n");
        out.append("[").append(section).append("]\r\n");
        out.append(key).append("=").append(value).append("\r\n");
    }
    return out;
}

}  // namespace velnor
