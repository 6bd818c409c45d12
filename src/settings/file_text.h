// The settings file's encodings: which one a file's bytes are in, its text as the INI
// functions search it (cp932 bytes as they are, every other encoding as UTF-8), and the
// bytes of that text in the same encoding again, so a file is rewritten as it was found.
#pragma once

#include <string>
#include <string_view>

#include "settings/ini_text.h"
#include "settings/text_encoding.h"

namespace velnor {

enum class FileEncoding { kCp932, kUtf8, kUtf16Le, kUtf16Be };

struct FileForm {
    FileEncoding encoding = FileEncoding::kCp932;
    bool mark = false;  // starts with a byte-order mark
    bool operator==(const FileForm&) const = default;
};

// A byte-order mark decides (UTF-16LE, UTF-16BE, UTF-8). Without one: text whose first
// character is ASCII with a zero byte beside it is UTF-16 of that byte order; valid UTF-8
// with bytes above 0x7F is UTF-8; anything else (plain ASCII included) is cp932.
FileForm DetectFileForm(std::string_view bytes);

// A file's text in the charset the INI functions search it in.
struct FileText {
    std::string text;
    FileForm form;

    IniCharset Charset() const {
        return form.encoding == FileEncoding::kCp932 ? IniCharset::kCp932 : IniCharset::kUtf8;
    }
};

FileText DecodeFileText(std::string bytes);

// The bytes of `file` in its form: every byte of a decoded file comes back as it was.
std::string EncodeFileText(const FileText& file);

// `file` turned into UTF-16LE with a mark, the form that holds every name and value;
// cp932 text is converted with `text` (bytes that are not cp932 become U+FFFD).
void SwitchToUtf16(FileText& file, const TextEncoding& text);

}  // namespace velnor
