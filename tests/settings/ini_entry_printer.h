// Prints a settings entry in gtest's messages as {"key" = "value"}, converted from the
// file's cp932 to UTF-8, instead of a dump of the record's bytes.
#pragma once

#include <iomanip>
#include <ostream>

#include "settings/ini_text.h"
#include "settings/text_encoding.h"

namespace velnor {

inline void PrintTo(const IniEntry& entry, std::ostream* out) {
    const auto text = MakePlatformTextEncoding();
    *out << '{' << std::quoted(text->Cp932ToUtf8(entry.key)) << " = "
         << std::quoted(text->Cp932ToUtf8(entry.value)) << '}';
}

}  // namespace velnor
