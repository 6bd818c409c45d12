// Conversion between the cp932 (Shift_JIS) text of a settings file in that encoding and
// UTF-8, which the rest of the program uses. An interface the core calls and each platform
// implements (iconv on POSIX, the code-page functions on Windows), so the result does not depend on
// the system's locale and the core links without the platform library.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velnor {

class TextEncoding {
  public:
    virtual ~TextEncoding() = default;

    // Invalid or unmappable bytes become U+FFFD.
    virtual std::string Cp932ToUtf8(std::string_view cp932) const = 0;
    // Characters that cp932 cannot represent become '?'.
    virtual std::string Utf8ToCp932(std::string_view utf8) const = 0;

    // True when `utf8` survives the trip to cp932 and back unchanged, so it can be stored
    // in the settings file as it is.
    bool FitsCp932(std::string_view utf8) const { return Cp932Exactly(utf8).has_value(); }

    // `utf8` in cp932 when it comes back from there unchanged, else nothing.
    std::optional<std::string> Cp932Exactly(std::string_view utf8) const {
        std::string cp932 = Utf8ToCp932(utf8);
        if (Cp932ToUtf8(cp932) != utf8) return std::nullopt;
        return cp932;
    }
};

// The running platform's conversion (the code-page functions on Windows, iconv elsewhere).
std::unique_ptr<TextEncoding> MakePlatformTextEncoding();

}  // namespace velnor
