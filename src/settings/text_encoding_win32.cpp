// cp932 <-> UTF-8 with the Windows code-page functions, independent of the system's ANSI
// code page.
#include <windows.h>

#include "settings/text_encoding.h"
#include "settings/wide_text_win32.h"

namespace velnor {
namespace {

constexpr UINT kCp932 = 932;

class CodePageTextEncoding final : public TextEncoding {
  public:
    std::string Cp932ToUtf8(std::string_view cp932) const override {
        if (cp932.empty()) return {};
        const int size = static_cast<int>(cp932.size());
        const int length = MultiByteToWideChar(kCp932, 0, cp932.data(), size, nullptr, 0);
        if (length <= 0) return {};
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(kCp932, 0, cp932.data(), size, wide.data(), length);
        return Utf8FromWide(wide);
    }

    std::string Utf8ToCp932(std::string_view utf8) const override {
        const std::wstring wide = WideFromUtf8(utf8);
        if (wide.empty()) return {};
        const int size = static_cast<int>(wide.size());
        const int length = WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                               nullptr, 0, "?", nullptr);
        if (length <= 0) return {};
        std::string cp932(static_cast<std::size_t>(length), '\0');
        WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide.data(), size, cp932.data(), length,
                            "?", nullptr);
        return cp932;
    }
};

}  // namespace

std::unique_ptr<TextEncoding> MakePlatformTextEncoding() {
    return std::make_unique<CodePageTextEncoding>();
}

}  // namespace velnor
