// UTF-16 file text (either byte order) to and from UTF-8, losslessly: an unpaired
// surrogate is carried through as its own three-byte sequence, so text read and written
// back keeps every 16-bit unit of the file. Also the strict UTF-8 check that tells a
// UTF-8 settings file from a cp932 one.
#pragma once

#include <string>
#include <string_view>

namespace velnor {

enum class ByteOrder { kLittle, kBig };

// Whether `bytes` start with the UTF-16LE byte-order mark FF FE.
bool HasUtf16LeMark(std::string_view bytes);

// The 16-bit units of `bytes` (no mark) as UTF-8. An odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order);

// `utf8` as 16-bit units without a mark. Invalid UTF-8 bytes become U+FFFD.
std::string Utf8ToUtf16(std::string_view utf8, ByteOrder order);

// The 16-bit units after the mark as UTF-8. An odd last byte is dropped.
std::string Utf16LeToUtf8(std::string_view bytesAfterMark);

// The mark followed by `utf8` as UTF-16LE. Invalid UTF-8 bytes become U+FFFD.
std::string Utf8ToUtf16LeWithMark(std::string_view utf8);

// Whether `text` is well-formed UTF-8: no stray continuation bytes, no cut-off, overlong
// or surrogate sequences, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text);

}  // namespace velnor
