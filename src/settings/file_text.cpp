// Telling the settings file's encoding from its bytes, and converting between those bytes
// and the text the INI functions search.
#include "settings/file_text.h"

#include "settings/utf16_text.h"

namespace velnor {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool HasHighBytes(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// Unmarked UTF-16: its first unit is an ASCII character (a section, comment or key).
bool LooksLikeUtf16(std::string_view bytes, ByteOrder order) {
    if (bytes.size() < 4 || bytes.size() % 2 != 0) return false;
    const std::size_t zero = order == ByteOrder::kLittle ? 1 : 0;
    const auto ascii = static_cast<unsigned char>(bytes[1 - zero]);
    return bytes[zero] == '\0' && ascii != 0 && ascii < 0x80 && bytes[zero + 2] == '\0';
}

ByteOrder OrderOf(FileEncoding encoding) {
    return encoding == FileEncoding::kUtf16Be ? ByteOrder::kBig : ByteOrder::kLittle;
}

}  // namespace

FileForm DetectFileForm(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return {FileEncoding::kUtf8, true};
    if (bytes.starts_with(kUtf16LeMark)) return {FileEncoding::kUtf16Le, true};
    if (bytes.starts_with(kUtf16BeMark)) return {FileEncoding::kUtf16Be, true};
    if (LooksLikeUtf16(bytes, ByteOrder::kLittle)) return {FileEncoding::kUtf16Le, false};
    if (LooksLikeUtf16(bytes, ByteOrder::kBig)) return {FileEncoding::kUtf16Be, false};
    if (HasHighBytes(bytes) && IsValidUtf8(bytes)) return {FileEncoding::kUtf8, false};
    return {FileEncoding::kCp932, false};
}

FileText DecodeFileText(std::string bytes) {
    const FileForm form = DetectFileForm(bytes);
    switch (form.encoding) {
        case FileEncoding::kCp932:
            return {std::move(bytes), form};
        case FileEncoding::kUtf8:
            return {form.mark ? bytes.substr(kUtf8Mark.size()) : std::move(bytes), form};
        case FileEncoding::kUtf16Le:
        case FileEncoding::kUtf16Be:
            break;
    }
    const std::string_view units = std::string_view(bytes).substr(form.mark ? 2 : 0);
    return {Utf16ToUtf8(units, OrderOf(form.encoding)), form};
}

std::string EncodeFileText(const FileText& file) {
    const bool mark = file.form.mark;
    switch (file.form.encoding) {
        case FileEncoding::kCp932:
            return file.text;
        case FileEncoding::kUtf8:
            return mark ? std::string(kUtf8Mark) + file.text : file.text;
        case FileEncoding::kUtf16Le:
            return std::string(mark ? kUtf16LeMark : "") +
                   Utf8ToUtf16(file.text, ByteOrder::kLittle);
        case FileEncoding::kUtf16Be:
            return std::string(mark ? kUtf16BeMark : "") + Utf8ToUtf16(file.text, ByteOrder::kBig);
    }
    return file.text;
}

void SwitchToUtf16(FileText& file, const TextEncoding& text) {
    if (file.form.encoding == FileEncoding::kCp932) file.text = text.Cp932ToUtf8(file.text);
    file.form = {FileEncoding::kUtf16Le, true};
}

}  // namespace velnor
