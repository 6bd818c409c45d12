// UTF-16LE file text (as Notepad's "Unicode" saves it) to and from UTF-8, losslessly: an
// unpaired surrogate is carried through as its own three-byte sequence, so text read and
// written back keeps every 16-bit unit of the file.
#pragma once

#include <string>
#include <string_view>

namespace velnor {

// Whether `bytes` start with the UTF-16LE byte-order mark FF FE.
bool HasUtf16LeMark(std::string_view bytes);

// The 16-bit units after the mark as UTF-8. An odd last byte is dropped.
std::string Utf16LeToUtf8(std::string_view bytesAfterMark);

// The mark followed by `utf8` as UTF-16LE. Invalid UTF-8 bytes become U+FFFD.
std::string Utf8ToUtf16LeWithMark(std::string_view utf8);

}  // namespace velnor
