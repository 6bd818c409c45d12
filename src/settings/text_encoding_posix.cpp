// cp932 <-> UTF-8 with glibc's iconv, which knows Microsoft's cp932 mapping.
#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "settings/text_encoding.h"

namespace velnor {
namespace {

// Converts with `replacement` standing in for input that cannot be converted.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, std::size_t badInputStep) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    char buffer[256];
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.append(replacement);
            // Skip one unit of input that could not be converted (or a cut-off sequence).
            const std::size_t step = errno == EINVAL ? inLeft : std::min(badInputStep, inLeft);
            inPtr += step;
            inLeft -= step;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

std::size_t Utf8SequenceLength(unsigned char lead) {
    return lead < 0x80           ? 1
           : (lead >> 5) == 0x6  ? 2
           : (lead >> 4) == 0xE  ? 3
           : (lead >> 3) == 0x1E ? 4
                                 : 1;
}

class IconvTextEncoding final : public TextEncoding {
  public:
    std::string Cp932ToUtf8(std::string_view cp932) const override {
        return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", 1);
    }

    std::string Utf8ToCp932(std::string_view utf8) const override {
        std::string out;
        // Convert piecewise so that one unmappable character costs exactly one '?'.
        std::size_t i = 0;
        while (i < utf8.size()) {
            const std::size_t len =
                std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
            out += Convert("CP932", "UTF-8", utf8.substr(i, len), "?", len);
            i += len;
        }
        return out;
    }
};

}  // namespace

std::unique_ptr<TextEncoding> MakePlatformTextEncoding() {
    return std::make_unique<IconvTextEncoding>();
}

}  // namespace velnor
