// Fuzz target: an arbitrary settings file and an arbitrary write. A write that is accepted
// changes one line or adds lines, keeps every other byte and every other key's value, and
// its value reads back as from a fresh file; in UTF-16 the file survives a round trip.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "settings/ini_lines.h"
#include "settings/ini_text.h"
#include "settings/utf16_text.h"

namespace {

using namespace velnor;

// The value a freshly written "key=value" line reads back as.
std::optional<std::string> FreshValue(std::string_view value, IniCharset charset) {
    const std::string line = "[s]\nk=" + std::string(value);
    return FindIniValue(line, "s", "k", charset);
}

// The names of the first key lines of `contents`, to compare their values before and after.
std::vector<std::string> SomeKeys(std::string_view contents, IniCharset charset) {
    std::vector<std::string> keys;
    ini::LineReader lines(contents);
    ini::Line line;
    while (keys.size() < 16 && lines.Next(line)) {
        if (const auto key = ini::KeyOf(line.text, charset)) keys.emplace_back(key->key);
    }
    return keys;
}

void CheckOnlyOneLineChanged(std::string_view before, std::string_view after) {
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
    fuzz::Check(removed.find('\n') == std::string_view::npos, "bytes of other lines changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const IniCharset charset = input.Byte() & 1 ? IniCharset::kUtf8 : IniCharset::kCp932;
    const std::string section = input.Text();
    const std::string key = input.Text();
    const std::string value = input.Text();
    const std::string_view before = input.Rest();

    if (before.size() % 2 == 0) {
        fuzz::Check(
            Utf8ToUtf16LeWithMark(Utf16LeToUtf8(before)) == "\xFF\xFE" + std::string(before),
            "UTF-16 round trip");
    }
    if (!IsWritableIniEntry(section, key, value, charset)) return 0;
    const std::string after = WithIniValue(before, section, key, value, charset);
    CheckOnlyOneLineChanged(before, after);
    fuzz::Check(FindIniValue(after, section, key, charset) == FreshValue(value, charset),
                "value reads back");
    for (const std::string& other : SomeKeys(before, charset)) {
        if (SameIniName(other, key, charset)) continue;
        fuzz::Check(FindIniValue(before, section, other, charset) ==
                        FindIniValue(after, section, other, charset),
                    "another key's value changed");
    }
    const IniEntry entries[] = {{key, value}, {key, value}};
    fuzz::Check(WithIniValues(before, section, entries, charset) == after, "batch == single");
    return 0;
}
