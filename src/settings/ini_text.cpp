// Finding and changing values in INI text. Reading is one pass over the lines, looking up
// all requested keys at once; a change is one pass to locate the line and one to copy.
#include "settings/ini_text.h"

#include "settings/ini_lines.h"

namespace velnor {
namespace {

using ini::KeyLine;
using ini::KeyOf;
using ini::Line;
using ini::LineReader;
using ini::SectionOf;

struct Position {
    std::optional<std::size_t> keyLine;      // the line holding the key
    std::optional<std::size_t> sectionLast;  // last non-blank line of the first section
};

Position Locate(std::string_view contents, std::string_view section, std::string_view key,
                IniCharset charset) {
    Position at;
    bool inSection = false;
    bool inFirstSection = false;
    LineReader lines(contents);
    Line line;
    for (std::size_t i = 0; lines.Next(line); ++i) {
        if (const auto name = SectionOf(line.text, charset)) {
            inSection = SameIniName(*name, section, charset);
            inFirstSection = inSection && !at.sectionLast;
            if (inFirstSection) at.sectionLast = i;
            continue;
        }
        if (!inSection) continue;
        if (inFirstSection && !TrimBlanks(line.text).empty()) at.sectionLast = i;
        const auto keyLine = KeyOf(line.text, charset);
        if (keyLine && SameIniName(keyLine->key, key, charset)) {
            at.keyLine = i;
            return at;
        }
    }
    return at;
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Whether the last byte of `name` is a cp932 lead byte with no second byte after it.
bool EndsInLeadByte(std::string_view name, IniCharset charset) {
    if (charset != IniCharset::kCp932) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (!ini::IsCp932Lead(name[i])) continue;
        if (i + 1 == name.size()) return true;
        ++i;
    }
    return false;
}

// Copies `line` to `out` with its value replaced by `value`.
void AppendChangedLine(std::string& out, const Line& line, std::string_view value,
                       IniCharset charset) {
    const KeyLine keyLine = *KeyOf(line.text, charset);
    if (keyLine.equals == std::string_view::npos) {
        out.append(TrimBlanks(line.text)).append("=");
    } else {
        out.append(line.text.substr(0, keyLine.equals + 1));
    }
    out.append(value).append(line.ending);
}

}  // namespace

bool SameIniName(std::string_view a, std::string_view b, IniCharset charset) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ini::StartsDoubleByte(a, i, charset)) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::vector<std::optional<std::string>> FindIniValues(std::string_view contents,
                                                      std::string_view section,
                                                      std::span<const std::string_view> keys,
                                                      IniCharset charset) {
    std::vector<std::optional<std::string>> values(keys.size());
    std::size_t missing = keys.size();
    bool inSection = false;
    LineReader lines(contents);
    Line line;
    while (missing > 0 && lines.Next(line)) {
        if (const auto name = SectionOf(line.text, charset)) {
            inSection = SameIniName(*name, section, charset);
            continue;
        }
        if (!inSection) continue;
        const auto keyLine = KeyOf(line.text, charset);
        if (!keyLine) continue;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (values[k] || !SameIniName(keyLine->key, keys[k], charset)) continue;
            values[k] = ini::ValueOf(line.text, *keyLine);
            --missing;
        }
    }
    return values;
}

std::optional<std::string> FindIniValue(std::string_view contents, std::string_view section,
                                        std::string_view key, IniCharset charset) {
    return std::move(FindIniValues(contents, section, {&key, 1}, charset).front());
}

bool IsWritableIniEntry(std::string_view section, std::string_view key, std::string_view value,
                        IniCharset charset) {
    const auto wellFormedName = [charset](std::string_view name) {
        return !name.empty() && !HasLineBreakOrNul(name) && TrimBlanks(name) == name &&
               !EndsInLeadByte(name, charset);
    };
    const auto npos = std::string_view::npos;
    return wellFormedName(section) && ini::FindSingleByte(section, ']', charset) == npos &&
           wellFormedName(key) && ini::FindSingleByte(key, '=', charset) == npos &&
           key.front() != '[' && key.front() != ';' && !HasLineBreakOrNul(value);
}

std::string StoredIniValue(std::string_view value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == '"' || value.front() == '\'');
    if (!quoted && (value.empty() || !IsBlank(value.back()))) return std::string(value);
    std::string out;
    out.reserve(value.size() + 2);
    out.append(1, '"').append(value).append(1, '"');
    return out;
}

std::string WithIniValue(std::string_view contents, std::string_view section, std::string_view key,
                         std::string_view value, IniCharset charset) {
    const Position at = Locate(contents, section, key, charset);
    std::string out;
    out.reserve(contents.size() + section.size() + key.size() + value.size() + 8);
    LineReader lines(contents);
    Line line;
    bool lastLineBlank = true;
    for (std::size_t i = 0; lines.Next(line); ++i) {
        lastLineBlank = TrimBlanks(line.text).empty();
        if (at.keyLine == i) {
            AppendChangedLine(out, line, value, charset);
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
        if (!lastLineBlank) out.append("\r\n");
        out.append("[").append(section).append("]\r\n");
        out.append(key).append("=").append(value).append("\r\n");
    }
    return out;
}

std::string WithIniValues(std::string_view contents, std::string_view section,
                          std::span<const IniEntry> entries, IniCharset charset) {
    std::string out(contents);
    for (const IniEntry& entry : entries) {
        if (!IsWritableIniEntry(section, entry.key, entry.value, charset)) continue;
        out = WithIniValue(out, section, entry.key, entry.value, charset);
    }
    return out;
}

}  // namespace velnor
