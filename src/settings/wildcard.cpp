// Wildcard matching with one backtrack point per "*" (linear in practice, no recursion).
#include "settings/wildcard.h"

#include "base/blank_text.h"

namespace velnor {
namespace {

// Length of the UTF-8 character starting at name[i] (1 for a stray byte).
std::size_t CharLength(std::string_view name, std::size_t i) {
    std::size_t length = 1;
    while (i + length < name.size() &&
           (static_cast<unsigned char>(name[i + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

bool MatchPlain(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += CharLength(name, n);
        } else if (p < pattern.size() && FoldAscii(pattern[p]) == FoldAscii(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            starN += CharLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (MatchPlain(pattern, name)) return true;
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*") {
        return MatchPlain(pattern.substr(0, pattern.size() - 2), name);
    }
    return false;
}

}  // namespace velnor
