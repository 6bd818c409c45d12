// File helpers for the settings store that are the same on every platform; the C-runtime
// differences are in file_io_posix.cpp and file_io_win32.cpp.
#include "settings/file_io.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace velnor {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

}  // namespace

std::filesystem::path TemporarySibling(const std::filesystem::path& file) {
    std::uint64_t bits = 0;
    try {
        std::random_device device;
        bits = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    } catch (...) {
    }
    // Also mix in the clock, in case the random device is missing or deterministic.
    bits ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::string suffix = ".";
    for (int i = 0; i < 16; ++i, bits >>= 4) suffix += kHexDigits[bits & 0xF];
    suffix += ".tmp";
    std::filesystem::path name = file;
    name += suffix;
    return name;
}

bool IsTemporarySiblingName(const std::filesystem::path& name, const std::filesystem::path& file) {
    using Char = std::filesystem::path::value_type;
    const auto& text = name.native();
    const std::filesystem::path::string_type stem = file.filename().native();
    constexpr std::size_t kSuffixLength = 1 + 16 + 4;  // "." + hex digits + ".tmp"
    if (stem.empty() || text.size() != stem.size() + kSuffixLength) return false;
    if (text.compare(0, stem.size(), stem) != 0 || text[stem.size()] != Char('.')) return false;
    for (std::size_t i = stem.size() + 1; i < stem.size() + 17; ++i) {
        const Char c = text[i];
        if (!((c >= Char('0') && c <= Char('9')) || (c >= Char('a') && c <= Char('f')))) {
            return false;
        }
    }
    const Char tmp[] = {Char('.'), Char('t'), Char('m'), Char('p')};
    return text.compare(stem.size() + 17, 4, tmp, 4) == 0;
}

}  // namespace velnor
