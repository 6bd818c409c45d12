// The platform's cp932 conversion, for tests that read and write settings files or convert
// their texts: one instance for the whole test program.
#pragma once

#include <memory>
#include <vector>

#include "settings/ini_text.h"
#include "settings/text_encoding.h"

namespace velnor::test {

inline const TextEncoding& PlatformText() {
    static const std::unique_ptr<TextEncoding> text = MakePlatformTextEncoding();
    return *text;
}

// UTF-8 entries as a cp932 file spells them.
inline std::vector<IniEntry> InCp932(const std::vector<IniEntry>& entries) {
    std::vector<IniEntry> out;
    for (const IniEntry& entry : entries) {
        out.push_back(
            {PlatformText().Utf8ToCp932(entry.key), PlatformText().Utf8ToCp932(entry.value)});
    }
    return out;
}

}  // namespace velnor::test
