// The INI reader and writer: private-profile reading rules, byte-exact preservation of
// everything a write does not touch, and the atomic replacement of the file.
#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>

#include "platform_text.h"
#include "settings/settings_keys.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace velnor {
namespace {

using test::TempFolder;
using namespace std::string_literals;

TEST(IniFile, ReadsLikeThePrivateProfileFunctions) {
    TempFolder folder;
    const auto file = folder.Write("a.ini",
                                   "; comment=1\r\n"
                                   "top=outside any section\r\n"
                                   "[other]\r\n"
                                   "key=other section\r\n"
                                   "  [ SECTION ]  \r\n"
                                   "  KeY  =  value with blanks\t \r\n"
                                   "quoted=\"  inside quotes  \"\r\n"
                                   "single='x'\r\n"
                                   "halfquote=\"x\r\n"
                                   "empty=\r\n"
                                   "lone\r\n"
                                   "dup=first\r\n"
                                   "dup=second\r\n"
                                   "nul=ab\0cd\r\n"
                                   "[section]\n"
                                   "later=in a repeated section\n"
                                   "last=no line end"s);
    const struct {
        const char* key;
        const char* value;
    } cases[] = {
        {"key", "value with blanks"},
        {"KEY", "value with blanks"},
        {"quoted", "  inside quotes  "},
        {"single", "x"},
        {"halfquote", "\"x"},
        {"empty", ""},
        {"lone", ""},
        {"dup", "first"},
        {"nul", "ab"},
        {"later", "in a repeated section"},
        {"last", "no line end"},
        {"top", ""},
        {"; comment", ""},
        {"missing", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadIniValue("Section", c.key, file, test::PlatformText()), c.value) << c.key;
    EXPECT_EQ(ReadIniValue("other", "key", file, test::PlatformText()), "other section");
    EXPECT_EQ(ReadIniValue("nosuch", "key", file, test::PlatformText()), "");
    EXPECT_EQ(ReadIniValue("Section", "key", folder.path() / "missing.ini", test::PlatformText()),
              "");
}

TEST(IniFile, Cp932TrailBytesAreNotCaseFolded) {
    // 外観 is 8A 4F 8A CF; with the trail byte 'O' folded to 'o' it would be another kanji.
    TempFolder folder;
    const std::string other = test::PlatformText().Cp932ToUtf8("\x8A\x6F\x8A\xCF");
    const auto file = folder.Write("a.ini", "[Section]\r\n\x8A\x6F\x8A\xCF=1\r\n");
    EXPECT_EQ(ReadIniValue(kSectionName, kAspectKey, file, test::PlatformText()), "");
    EXPECT_EQ(ReadIniValue(kSectionName, other, file, test::PlatformText()), "1");
    ASSERT_TRUE(WriteIniValue(kSectionName, kAspectKey, "2", file, test::PlatformText()));
    EXPECT_EQ(ReadIniValue(kSectionName, other, file, test::PlatformText()), "1");
    EXPECT_EQ(ReadIniValue(kSectionName, kAspectKey, file, test::PlatformText()), "2");
}

TEST(IniFile, LongValuesComeBackWhole) {
    TempFolder folder;
    const std::string longValue = "C:\\" + std::string(40000, 'p');
    const auto file = folder.path() / "a.ini";
    ASSERT_TRUE(WriteIniValue("Section", "folder", longValue, file, test::PlatformText()));
    EXPECT_EQ(ReadIniValue("Section", "folder", file, test::PlatformText()), longValue);
}

TEST(IniFile, WriteChangesOnlyItsLineAndKeepsEveryOtherByte) {
    TempFolder folder;
    const std::string before =
        "; settings\n"
        "[Section]\n"
        "  Speed = 3   \n"
        "unknown=kept\r\n"
        "\n"
        "[Other]\r\n"
        "speed=9\r\n";
    const auto file = folder.Write("a.ini", before);
    ASSERT_TRUE(WriteIniValue("section", "SPEED", " 10", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file),
              "; settings\n"
              "[Section]\n"
              "  Speed = 10\n"
              "unknown=kept\r\n"
              "\n"
              "[Other]\r\n"
              "speed=9\r\n");
    EXPECT_EQ(ReadIniValue("Section", "speed", file, test::PlatformText()), "10");
    ASSERT_TRUE(WriteIniValue("Section", "new", "v", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file),
              "; settings\n"
              "[Section]\n"
              "  Speed = 10\n"
              "unknown=kept\r\n"
              "new=v\r\n"
              "\n"
              "[Other]\r\n"
              "speed=9\r\n");
}

TEST(IniFile, CreatesMissingFileAndSection) {
    TempFolder folder;
    const auto file = folder.path() / "new.ini";
    ASSERT_TRUE(WriteIniValue("Section", "a", " 10", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), "[Section]\r\na= 10\r\n");
    ASSERT_TRUE(WriteIniValue("Other", "b", "2", file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), "[Section]\r\na= 10\r\n\r\n[Other]\r\nb=2\r\n");

    const auto unterminated = folder.Write("u.ini", "[Section]\r\nx=1");
    ASSERT_TRUE(WriteIniValue("Section", "y", "2", unterminated, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(unterminated), "[Section]\r\nx=1\r\ny=2\r\n");
}

TEST(IniFile, RefusesEntriesThatWouldBreakTheFile) {
    TempFolder folder;
    const auto file = folder.Write("a.ini", "[Section]\r\nk=old\r\n");
    const struct {
        const char* section;
        const char* key;
        std::string value;
    } refused[] = {
        {"Section", "k", "two\r\nlines"},
        {"Section", "k", std::string("nul\0", 4)},
        {"Section", "a=b", "v"},
        {"Sec]tion", "k", "v"},
        {"", "k", "v"},
        {"Section", "", "v"},
        {"Section", "[k", "v"},
        {"Section", " k", "v"},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(WriteIniValue(r.section, r.key, r.value, file, test::PlatformText())) << r.key;
    }
    EXPECT_EQ(TempFolder::Read(file), "[Section]\r\nk=old\r\n");
}

TEST(IniFile, ReplacesAtomicallyAndLeavesNoTemporaryFiles) {
    TempFolder folder;
    const auto file = folder.path() / "a.ini";
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(WriteIniValue("S", "k" + std::to_string(i), "v", file, test::PlatformText()));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++files;
        EXPECT_EQ(entry.path().filename(), "a.ini");
    }
    EXPECT_EQ(files, 1);
    EXPECT_FALSE(WriteIniValue("S", "k", "v", folder.path() / "no" / "such" / "a.ini",
                               test::PlatformText()));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "no"));
}

TEST(IniFile, UnwritableFolderLeavesTheOldFile) {
    TempFolder folder;
    const auto file = folder.Write("a.ini", "[S]\r\nk=old\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::all);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::owner_exec |
                                                    std::filesystem::perms::others_read |
                                                    std::filesystem::perms::others_exec);
    EXPECT_TRUE(test::RunUnprivileged(folder.path(), [&] {
        return !WriteIniValue("S", "k", "new", file, test::PlatformText());
    }));
    EXPECT_EQ(TempFolder::Read(file), "[S]\r\nk=old\r\n");
}

TEST(IniFile, HugeDamagedFileIsReadInPartAndNeverRewritten) {
    TempFolder folder;
    const std::string head = "[S]\r\nk=v\r\n";
    const auto file = folder.Write("a.ini", head + std::string(17 << 20, 'x'));
    EXPECT_EQ(ReadIniValue("S", "k", file, test::PlatformText()), "v");
    EXPECT_FALSE(WriteIniValue("S", "k", "w", file, test::PlatformText()));
    EXPECT_EQ(std::filesystem::file_size(file), head.size() + (17u << 20));
}

// Random INI-like and binary files: a write makes its value readable and leaves every
// other key's value as it was.
TEST(IniFile, RandomFilesKeepOtherValuesAcrossWrites) {
    TempFolder folder;
    std::mt19937 random(12345);
    const std::string alphabet = "[]=; \t\r\n\r\nabSsk\x8A\x4F\"'\0"s;
    const char* keys[] = {"a", "b", "k", "ab", "S"};
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) {
            bytes += round % 10 == 0 ? static_cast<char>(random())
                                     : alphabet[random() % alphabet.size()];
        }
        const auto file = folder.Write("r.ini", bytes);
        const std::string section = round % 2 ? "S" : "s";
        const std::string key = keys[random() % 5];
        std::vector<std::string> before;
        for (const char* other : keys)
            before.push_back(ReadIniValue("S", other, file, test::PlatformText()));
        ASSERT_TRUE(WriteIniValue(section, key, "value", file, test::PlatformText())) << round;
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            const std::string expected = keys[i] == key ? "value" : before[i];
            ASSERT_EQ(ReadIniValue("S", keys[i], file, test::PlatformText()), expected)
                << round << " " << keys[i];
        }
    }
}

}  // namespace
}  // namespace velnor
