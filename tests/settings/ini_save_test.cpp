// One save of many keys: the same bytes as one write per key, one replacement of the file,
// leftovers of interrupted saves removed, and files that are not plain writable cp932
// files (pipes, read-only files, dangling links, UTF-16 files) handled without harm.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform_text.h"
#include "save_entries.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings/settings_table.h"
#include "settings/utf16_text.h"
#include "temp_folder.h"
#include "test_data_dir.h"

namespace velnor {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using namespace std::string_literals;

// The corpus holds settings files of every sort and, beside each, the bytes that one
// WriteIniValue per entry gave for both entry lists when the writer wrote key by key.
TEST(IniSave, OneSaveGivesTheBytesOfOneWritePerKey) {
    const fs::path corpus = VELNOR_TEST_DATA_DIR "/ini_corpus";
    int compared = 0;
    for (const auto& input : fs::directory_iterator(corpus)) {
        if (input.path().extension() != ".ini") continue;
        const std::string stem = input.path().stem().string();
        for (const auto& [suffix, entries] :
             {std::pair{".factory.expected", test::FactorySaveEntries()},
              std::pair{".other.expected", test::OtherSaveEntries()}}) {
            TempFolder folder;
            const fs::path file = folder.path() / "Velnor.ini";
            if (stem != "missing_file") fs::copy_file(input.path(), file);
            ASSERT_EQ(entries.size(), SettingRows().size());
            EXPECT_TRUE(WriteIniValues("Section", entries, file, test::PlatformText())) << stem;
            EXPECT_EQ(TempFolder::Read(file), TempFolder::Read(corpus / (stem + suffix)))
                << stem << suffix;
            EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << stem;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 22);
}

TEST(IniSave, AnUnwritableEntryIsLeftOutAndReported) {
    TempFolder folder;
    const auto file = folder.Write("a.ini", "[Section]\r\nb=old\r\n");
    const std::vector<IniEntry> entries = {{"a", "1"}, {"bad\nkey", "2"}, {"b", "3"}};
    EXPECT_FALSE(WriteIniValues("Section", entries, file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), "[Section]\r\nb=3\r\na=1\r\n");
}

// Names and values are UTF-8: broken text (half a character) would never read back and
// each further write would add another line. A cp932 trail byte that looks like "]" or
// "\\" (ゾ 83 5D, ソ 83 5C) must neither end a section name nor be case-folded away.
TEST(IniSave, TextThatIsNotUtf8IsRefusedAndCp932TrailBytesRoundTrip) {
    TempFolder folder;
    const auto file = folder.Write("a.ini", "[S]\r\nk=v\r\n");
    EXPECT_FALSE(WriteIniValue("S", "key\x82", "1", file, test::PlatformText()));
    EXPECT_FALSE(WriteIniValue("S\xE3\x81", "key", "1", file, test::PlatformText()));
    EXPECT_FALSE(WriteIniValue("S", "k", "\xFFv", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), "[S]\r\nk=v\r\n");
    EXPECT_TRUE(WriteIniValue("Sゾ", "keyソ", "表ソ", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file),
              "[S]\r\nk=v\r\n\r\n[S\x83\x5D]\r\nkey\x83\x5C=\x95\x5C\x83\x5C\r\n");
    EXPECT_EQ(ReadIniValue("Sゾ", "KEYソ", file, test::PlatformText()), "表ソ");
    EXPECT_EQ(ReadIniValue("S", "k", file, test::PlatformText()), "v");
}

TEST(IniSave, LeftoverTemporariesAreRemovedByTheNextSaveOnly) {
    TempFolder folder;
    const auto file = folder.Write("Velnor.ini", "[S]\r\nk=v\r\n");
    const auto leftover = folder.Write("Velnor.ini.0123456789abcdef.tmp", "partial");
    const auto foreign = {folder.Write("Velnor.ini.0123456789abcdeg.tmp", "x"),
                          folder.Write("Other.ini.0123456789abcdef.tmp", "x"),
                          folder.Write("Velnor.ini.0123456789abcdef.tmp.bak", "x")};
    EXPECT_EQ(ReadIniValue("S", "k", file, test::PlatformText()), "v");
    EXPECT_TRUE(fs::exists(leftover)) << "a read removes nothing";
    EXPECT_TRUE(WriteIniValue("S", "k", "w", file, test::PlatformText()));
    EXPECT_FALSE(fs::exists(leftover));
    for (const auto& other : foreign) EXPECT_TRUE(fs::exists(other)) << other;
}

TEST(IniSave, APipeNamedLikeTheFileIsMissingForReadsAndRefusedForSaves) {
    TempFolder folder;
    const fs::path file = folder.path() / "Velnor.ini";
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    const std::string_view keys[] = {"a", "b"};
    EXPECT_EQ(ReadIniValues("S", keys, file, test::PlatformText()),
              (std::vector<std::string>{"", ""}));
    EXPECT_FALSE(WriteIniValue("S", "k", "v", file, test::PlatformText()));
    EXPECT_TRUE(fs::is_fifo(file));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
    fs::create_directory(folder.path() / "dir.ini");
    EXPECT_FALSE(WriteIniValue("S", "k", "v", folder.path() / "dir.ini", test::PlatformText()));
}

TEST(IniSave, AReadOnlyFileIsRefusedAndUntouched) {
    TempFolder folder;
    const auto file = folder.Write("Velnor.ini", "[S]\r\nk=v\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(WriteIniValue("S", "k", "w", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), "[S]\r\nk=v\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);
}

TEST(IniSave, SymbolicLinksAreWrittenThroughAndKept) {
    TempFolder folder;
    fs::create_directory(folder.path() / "real");
    const fs::path link = folder.path() / "Velnor.ini";
    fs::create_symlink("real/target.ini", link);  // dangling: the target does not exist yet
    EXPECT_TRUE(WriteIniValue("S", "k", "1", link, test::PlatformText()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(TempFolder::Read(folder.path() / "real/target.ini"), "[S]\r\nk=1\r\n");
    EXPECT_TRUE(WriteIniValue("S", "k", "2", link, test::PlatformText()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadIniValue("S", "k", link, test::PlatformText()), "2");
    // A link into a folder that does not exist cannot be written through: refused, kept.
    const fs::path nowhere = folder.path() / "nowhere.ini";
    fs::create_symlink("missing/target.ini", nowhere);
    EXPECT_FALSE(WriteIniValue("S", "k", "1", nowhere, test::PlatformText()));
    EXPECT_TRUE(fs::is_symlink(nowhere));
}

std::string Utf16(std::string_view utf8) {
    return Utf8ToUtf16LeWithMark(utf8);
}

// Notepad's "Unicode": UTF-16LE with a byte-order mark. Keys and values are found in it
// and stored back in UTF-16, with every other unit kept.
TEST(IniSave, Utf16FilesAreReadAndWrittenInUtf16) {
    TempFolder folder;
    const std::string aspect = "\xE5\xA4\x96\xE8\xA6\xB3";  // 外観
    const std::string before = "; \xF0\x9F\x98\x80 kept\r\n[Section]\r\n" + aspect +
                               "= 12\r\nScale=200\r\nFolder=C:\\\xE7\x94\xBB\r\n";
    const auto file = folder.Write("Velnor.ini", Utf16(before));
    EXPECT_EQ(ReadIniValue("Section", aspect, file, test::PlatformText()), "12");
    EXPECT_EQ(ReadIniValue("section", "SCALE", file, test::PlatformText()), "200");
    EXPECT_EQ(ReadIniValue("Section", "Folder", file, test::PlatformText()), "C:\\\xE7\x94\xBB");

    const std::vector<IniEntry> entries = {{aspect, " 16"}, {"New", "\xE7\x94\xBB"}};
    EXPECT_TRUE(WriteIniValues("Section", entries, file, test::PlatformText()));
    const std::string after =
        "; \xF0\x9F\x98\x80 kept\r\n[Section]\r\n" + aspect +
        "= 16\r\nScale=200\r\nFolder=C:\\\xE7\x94\xBB\r\nNew=\xE7\x94\xBB\r\n";
    EXPECT_EQ(TempFolder::Read(file), Utf16(after));
    EXPECT_EQ(ReadIniValue("Section", "New", file, test::PlatformText()), "\xE7\x94\xBB");
}

TEST(IniSave, Cp932FilesStayCp932AndBothEncodingsRoundTrip) {
    TempFolder folder;
    const std::string aspect = "\xE5\xA4\x96\xE8\xA6\xB3";  // 外観
    const std::string cp932 = "[Section]\r\n\x8A\x4F\x8A\xCF= 10\r\n";
    const auto plain = folder.Write("plain.ini", cp932);
    EXPECT_TRUE(WriteIniValue("Section", aspect, " 10", plain, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(plain), cp932);
    const auto wide = folder.Write("wide.ini", Utf16("[Section]\r\n" + aspect + "= 10\r\n"));
    const std::string wideBefore = TempFolder::Read(wide);
    EXPECT_TRUE(WriteIniValue("Section", aspect, " 10", wide, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(wide), wideBefore);
    // Unpaired surrogates and characters beyond the basic plane survive a rewrite.
    std::string odd = "\xFF\xFE[\0S\0]\0\r\0\n\0"s;
    odd += "\x00\xD8;\0\x3D\xD8\x00\xDE\r\0\n\0"s;  // lone high surrogate, ";", U+1F600
    const auto oddFile = folder.Write("odd.ini", odd);
    EXPECT_TRUE(WriteIniValue("S", "k", "v", oddFile, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(oddFile), odd + "k\0=\0v\0\r\0\n\0"s);
}

}  // namespace
}  // namespace velnor
