// Prints a settings entry in gtest's messages as {"key" = "value"} (both UTF-8, as the
// program keeps them) instead of a dump of the record's bytes.
#pragma once

#include <iomanip>
#include <ostream>

#include "settings/ini_text.h"

namespace velnor {

inline void PrintTo(const IniEntry& entry, std::ostream* out) {
    *out << '{' << std::quoted(entry.key) << " = " << std::quoted(entry.value) << '}';
}

}  // namespace velnor
