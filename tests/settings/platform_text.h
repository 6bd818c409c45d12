// The platform's cp932 conversion, for tests that read and write settings files or convert
// their texts: one instance for the whole test program.
#pragma once

#include <memory>

#include "settings/text_encoding.h"

namespace velnor::test {

inline const TextEncoding& PlatformText() {
    static const std::unique_ptr<TextEncoding> text = MakePlatformTextEncoding();
    return *text;
}

}  // namespace velnor::test
