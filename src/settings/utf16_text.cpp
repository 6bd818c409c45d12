// Conversion between UTF-16 and UTF-8 for settings files kept in UTF-16.
#include "settings/utf16_text.h"

#include <cstdint>

namespace velnor {
namespace {

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16(std::string& out, std::uint32_t code, ByteOrder order) {
    const auto unit = [&out, order](std::uint32_t u) {
        const char low = static_cast<char>(u & 0xFF);
        const char high = static_cast<char>(u >> 8);
        out += order == ByteOrder::kLittle ? low : high;
        out += order == ByteOrder::kLittle ? high : low;
    };
    if (code < 0x10000) {
        unit(code);
    } else {
        code -= 0x10000;
        unit(0xD800 | (code >> 10));
        unit(0xDC00 | (code & 0x3FF));
    }
}

// Decodes one UTF-8 sequence at `at` (lone surrogates included); advances `at`.
std::uint32_t NextCode(std::string_view utf8, std::size_t& at) {
    const auto byte = [&utf8](std::size_t i) { return static_cast<std::uint8_t>(utf8[i]); };
    const std::uint8_t first = byte(at);
    std::size_t length = first < 0x80 ? 1 : first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : 2;
    std::uint32_t code = length == 1 ? first : first & (0x7F >> length);
    if ((first >= 0x80 && first < 0xC2) || first > 0xF4 || at + length > utf8.size()) {
        ++at;
        return 0xFFFD;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF) {
        ++at;
        return 0xFFFD;
    }
    at += length;
    return code;
}

}  // namespace

bool HasUtf16LeMark(std::string_view bytes) {
    return bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
}

std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const int lowByte = order == ByteOrder::kLittle ? 0 : 1;
    const auto unitAt = [&bytes, lowByte](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[i + lowByte]) |
                                          (static_cast<std::uint8_t>(bytes[i + 1 - lowByte]) << 8));
    };
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, unit);
    }
    return out;
}

std::string Utf8ToUtf16(std::string_view utf8, ByteOrder order) {
    std::string out;
    out.reserve(utf8.size() * 2);
    for (std::size_t at = 0; at < utf8.size();) AppendUtf16(out, NextCode(utf8, at), order);
    return out;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    return Utf16ToUtf8(bytes, ByteOrder::kLittle);
}

std::string Utf8ToUtf16LeWithMark(std::string_view utf8) {
    return "\xFF\xFE" + Utf8ToUtf16(utf8, ByteOrder::kLittle);
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const std::uint32_t code = NextCode(text, at);
        const bool replaced = code == 0xFFFD && text.substr(start, 3) != "\xEF\xBF\xBD";
        if (replaced || (code >= 0xD800 && code < 0xE000)) return false;
    }
    return true;
}

}  // namespace velnor
