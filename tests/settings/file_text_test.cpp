// The settings file in every encoding an editor may save it in: names in any script read,
// saved and read back unchanged, the file kept in its encoding (a cp932 file moving to
// UTF-16LE only for a name cp932 cannot spell), and values that the reader would trim.
#include "settings/file_text.h"

#include <gtest/gtest.h>

#include "platform_text.h"
#include "settings/ini_file.h"
#include "settings/utf16_text.h"
#include "temp_folder.h"

namespace velnor {
namespace {

using test::TempFolder;

std::string InForm(std::string_view utf8, FileForm form) {
    const auto& text = test::PlatformText();
    switch (form.encoding) {
        case FileEncoding::kCp932:
            return text.Utf8ToCp932(utf8);
        case FileEncoding::kUtf8:
            return (form.mark ? "\xEF\xBB\xBF" : "") + std::string(utf8);
        case FileEncoding::kUtf16Le:
            return (form.mark ? "\xFF\xFE" : "") + Utf8ToUtf16(utf8, ByteOrder::kLittle);
        case FileEncoding::kUtf16Be:
            return (form.mark ? "\xFE\xFF" : "") + Utf8ToUtf16(utf8, ByteOrder::kBig);
    }
    return {};
}

// Catches a name turned to '?' or U+FFFD on the way in or out, a file rewritten in another
// encoding (or with lines of another appended), and cp932's trail byte 5C taken for "\".
TEST(FileText, EveryNameRoundTripsInEveryEncodingItFits) {
    const std::string names[] = {"C:\\pics\\사진",  "D:\\图片\\相册",   "C:\\Фото\\Її",
                                 "C:\\Photos\\été", "C:\\😀\\x",         "C:\\旅行〜",
                                 "C:\\사진\\表\\😀", "C:\\表\\ソ\\能力", "C:\\ﾌｫﾙﾀﾞ\\①"};
    const FileForm forms[] = {{FileEncoding::kCp932, false},  {FileEncoding::kUtf8, false},
                              {FileEncoding::kUtf8, true},    {FileEncoding::kUtf16Le, true},
                              {FileEncoding::kUtf16Be, true}, {FileEncoding::kUtf16Le, false},
                              {FileEncoding::kUtf16Be, false}};
    const std::string folderKey = "画像のﾌｫﾙﾀﾞ";
    for (const std::string& name : names) {
        for (const FileForm form : forms) {
            if (form.encoding == FileEncoding::kCp932 && !test::PlatformText().FitsCp932(name)) {
                continue;
            }
            TempFolder folder;
            const std::string before = "[Section]\r\n" + folderKey + "=" + name + "\r\nScale=1\r\n";
            const auto file = folder.Write("Velnor.ini", InForm(before, form));
            const auto where = name + " in form " + std::to_string(int(form.encoding)) +
                               (form.mark ? " with mark" : "");
            EXPECT_EQ(ReadIniValue("Section", folderKey, file, test::PlatformText()), name)
                << where;
            const std::vector<IniEntry> entries = {{"Scale", "2"}, {folderKey, name}};
            ASSERT_TRUE(WriteIniValues("Section", entries, file, test::PlatformText()));
            const std::string after = "[Section]\r\n" + folderKey + "=" + name + "\r\nScale=2\r\n";
            EXPECT_EQ(TempFolder::Read(file), InForm(after, form)) << where;
        }
    }
}

// Catches a name outside cp932 stored as '?' in a cp932 file: the whole file moves to
// UTF-16LE with a mark, every other line kept.
TEST(FileText, ACp932FileMovesToUtf16OnlyForANameCp932CannotSpell) {
    const std::string cp932 = "; \x89\xE6\x91\x9C\r\n[Section]\r\n\x8A\x4F\x8A\xCF=12\r\n";
    const std::string utf8 = "; 画像\r\n[Section]\r\n外観=12\r\n";
    TempFolder folder;
    const auto file = folder.Write("Velnor.ini", cp932);
    ASSERT_TRUE(WriteIniValue("Section", "Folder", "C:\\画像", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), cp932 + "Folder=C:\\\x89\xE6\x91\x9C\r\n");
    ASSERT_TRUE(WriteIniValue("Section", "Folder", "C:\\사진", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), Utf8ToUtf16LeWithMark(utf8 + "Folder=C:\\사진\r\n"));
    EXPECT_EQ(ReadIniValue("Section", "外観", file, test::PlatformText()), "12");
    // Once UTF-16, it stays UTF-16.
    ASSERT_TRUE(WriteIniValue("Section", "Folder", "C:\\x", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), Utf8ToUtf16LeWithMark(utf8 + "Folder=C:\\x\r\n"));
    // A new file starts in cp932, or in UTF-16 when its first value needs it.
    const auto fresh = folder.path() / "fresh.ini";
    ASSERT_TRUE(WriteIniValue("Section", "Folder", "C:\\😀", fresh, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(fresh), Utf8ToUtf16LeWithMark("[Section]\r\nFolder=C:\\😀\r\n"));
}

// Catches a value damaged in a cp932 file (a byte no character starts with) being
// rewritten as U+FFFD when the dialog saves it back unchanged.
TEST(FileText, ADamagedCp932ValueSavedBackUnchangedKeepsItsBytes) {
    const std::string damaged = "[Section]\r\nFolder=C:\\\x80pics\r\nScale=1\r\n";
    TempFolder folder;
    const auto file = folder.Write("Velnor.ini", damaged);
    const std::string read = ReadIniValue("Section", "Folder", file, test::PlatformText());
    const std::vector<IniEntry> entries = {{"Folder", read}, {"Scale", "2"}};
    ASSERT_TRUE(WriteIniValues("Section", entries, file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), "[Section]\r\nFolder=C:\\\x80pics\r\nScale=2\r\n");
}

// Catches the reader trimming a folder "C:\sp " into "C:\sp" (another folder) and
// dropping the quotes of a name that has them, while files written by hand with blanks
// after a value still read without them.
TEST(FileText, ValuesThatTheReaderWouldChangeAreQuotedAndReadBackExactly) {
    const struct {
        const char* value;
        const char* line;
    } cases[] = {
        {"C:\\sp ", "k=\"C:\\sp \""},
        {"C:\\dot.", "k=C:\\dot."},
        {"C:\\tab\t", "k=\"C:\\tab\t\""},
        {"\"q\"", "k=\"\"q\"\""},
        {"'a' and 'b'", "k=\"'a' and 'b'\""},
        {"a\"", "k=a\""},
        {" 10", "k= 10"},
        {"", "k="},
    };
    TempFolder folder;
    const auto file = folder.path() / "a.ini";
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteIniValue("S", "k", c.value, file, test::PlatformText()));
        EXPECT_EQ(TempFolder::Read(file), "[S]\r\n" + std::string(c.line) + "\r\n") << c.value;
        const std::string expected = c.value == std::string(" 10") ? "10" : c.value;
        EXPECT_EQ(ReadIniValue("S", "k", file, test::PlatformText()), expected) << c.value;
    }
    folder.Write("hand.ini", "[S]\r\nk=C:\\pics  \r\n");
    EXPECT_EQ(ReadIniValue("S", "k", folder.path() / "hand.ini", test::PlatformText()), "C:\\pics");
}

// Catches a UTF-8 file (or a cp932 one) taken for the other, and unmarked UTF-16 missed.
TEST(FileText, TheEncodingIsTakenFromTheMarkOrTheBytes) {
    const struct {
        std::string bytes;
        FileForm form;
    } cases[] = {
        {"", {FileEncoding::kCp932, false}},
        {"[Section]\r\nScale=1\r\n", {FileEncoding::kCp932, false}},
        {"[Section]\r\n\x8A\x4F\x8A\xCF=1\r\n", {FileEncoding::kCp932, false}},
        {"[Section]\r\n\xE5\xA4\x96\xE8\xA6\xB3=1\r\n", {FileEncoding::kUtf8, false}},
        {"\xEF\xBB\xBF[Section]\r\n", {FileEncoding::kUtf8, true}},
        {"\xEF\xBB\xBF\x8A\x4F", {FileEncoding::kUtf8, true}},
        {"\xFF\xFE[\0S\0", {FileEncoding::kUtf16Le, true}},
        {"\xFE\xFF\0[\0S", {FileEncoding::kUtf16Be, true}},
        {std::string("[\0S\0", 4), {FileEncoding::kUtf16Le, false}},
        {std::string("\0[\0S", 4), {FileEncoding::kUtf16Be, false}},
        {std::string("a=\0b", 4), {FileEncoding::kCp932, false}},
        {"\xED\xA0\x80=1", {FileEncoding::kCp932, false}},  // a surrogate is not UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetectFileForm(c.bytes), c.form) << testing::PrintToString(c.bytes);
    }
}

}  // namespace
}  // namespace velnor
