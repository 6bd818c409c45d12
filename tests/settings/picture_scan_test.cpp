// The picture scan on an injected file system: pass and kind order, hidden, system and
// directory entries left out, the JPEG kind's extensions, failures, the 32767 cap with the
// count of files left out, and the array left by rescans.
#include "settings/picture_scan.h"

#include <gtest/gtest.h>

#include <optional>

#include "fake_file_system.h"
#include "settings/wildcard.h"

namespace velnor {
namespace {

using test::FakeFileSystem;

constexpr PictureKindFlags kAllKinds{1, 1, 1, 1, 1};
const std::string kFolder = std::string(1, kPathSeparator) + "pics";

std::string In(const std::string& name) {
    return kFolder + kPathSeparator + name;
}

std::vector<std::string> Listed(const PictureList& list) {
    return list.paths;
}

TEST(PictureScan, PassesThenKindsThenFileSystemOrder) {
    FakeFileSystem fs;
    fs.Add(kFolder, "a.bmp", kAttributeArchive);
    fs.Add(kFolder, "b.jpg", 0);
    fs.Add(kFolder, "c.gif", kAttributeReadOnly);
    fs.Add(kFolder, "z.BMP", 0);
    fs.Add(kFolder, "y.gif", kAttributeArchive);
    fs.Add(kFolder, "m.bmp", 0);
    fs.Add(kFolder, "w.wmf", kAttributeReadOnly);
    fs.Add(kFolder, "p.png", 0);
    fs.Add(kFolder, "ra.jpg", kAttributeReadOnly | kAttributeArchive);  // copied from a card
    fs.Add(kFolder, "rb.bmp", kAttributeReadOnly | kAttributeArchive);
    fs.Add(kFolder, "h.bmp", kAttributeHidden);
    fs.Add(kFolder, "hr.bmp", kAttributeHidden | kAttributeReadOnly);
    fs.Add(kFolder, "s.bmp", kAttributeSystem | kAttributeArchive);
    fs.Add(kFolder, "d.bmp", kAttributeDirectory);
    fs.Add(kFolder, "da.bmp", kAttributeDirectory | kAttributeArchive);
    fs.Add(kFolder, "t.txt", 0);
    PictureList list;
    ScanPictureFolder(kFolder, kAllKinds, list, fs);
    EXPECT_EQ(Listed(list),
              (std::vector<std::string>{In("z.BMP"), In("m.bmp"), In("b.jpg"), In("p.png"),
                                        In("a.bmp"), In("y.gif"), In("c.gif"), In("w.wmf"),
                                        In("rb.bmp"), In("ra.jpg")}));
    EXPECT_EQ(list.paths.size(), 10u);
    EXPECT_EQ(list.leftOut, 0);
    EXPECT_EQ(list.scanAttribute, kAttributeReadOnly | kAttributeArchive);  // the last pass
}

TEST(PictureScan, JpegKindTakesEveryJpegExtensionOnceEach) {
    FakeFileSystem fs;
    fs.Add(kFolder, "holiday.jpeg", 0);
    fs.shortNames["holiday.jpeg"] = "HOLIDA~1.JPE";  // also returned for "*.jpe"
    fs.Add(kFolder, "a.JPEG", 0);
    fs.Add(kFolder, "b.jpg", 0);
    fs.Add(kFolder, "c.Jpe", 0);
    fs.Add(kFolder, "d.jfif", 0);
    fs.Add(kFolder, "old.jpg_", 0);
    fs.shortNames["old.jpg_"] = "OLD~1.JPG";  // a short name alone does not make a picture
    fs.Add(kFolder, "e.jpegx", 0);
    fs.Add(kFolder, "f.jfi", 0);
    fs.Add(kFolder, "g.gif", 0);
    PictureList list;
    ScanPictureFolder(kFolder, {0, 0, 1, 0, 0}, list, fs);
    // By pattern (jpg, jpeg, jpe, jfif), each in the file system's order.
    EXPECT_EQ(Listed(list), (std::vector<std::string>{In("b.jpg"), In("holiday.jpeg"), In("a.JPEG"),
                                                      In("c.Jpe"), In("d.jfif")}));
    EXPECT_EQ(fs.listings, 4);  // each pattern listed once, not once per pass
}

TEST(PictureScan, OnlyKindsSetToOneAreScanned) {
    FakeFileSystem fs;
    for (const char* name : {"a.bmp", "b.gif", "c.jpg", "d.wmf"}) fs.Add(kFolder, name, 0);
    PictureList list;
    ScanPictureFolder(kFolder, {0, 0, 0, 0, 0}, list, fs);
    EXPECT_TRUE(list.paths.empty());
    EXPECT_EQ(fs.listings, 0);
    ScanPictureFolder(kFolder, {0, 2, 1, -1, 0}, list, fs);
    EXPECT_EQ(Listed(list), (std::vector<std::string>{In("c.jpg")}));
}

TEST(PictureScan, FailuresEndAtMostTheirPattern) {
    FakeFileSystem fs;
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp", "4.gif"}) fs.Add(kFolder, name, 0);
    fs.vanished.insert(In("2.bmp"));  // skipped; the rest of its pattern is still listed
    PictureList list;
    ScanPictureFolder(kFolder, kAllKinds, list, fs);
    EXPECT_EQ(Listed(list), (std::vector<std::string>{In("1.bmp"), In("3.bmp"), In("4.gif")}));

    fs.vanished.clear();
    fs.breakAfter[kFolder] = 2;  // the listing itself fails after two names
    ScanPictureFolder(kFolder, kAllKinds, list, fs);
    EXPECT_EQ(Listed(list), (std::vector<std::string>{In("1.bmp"), In("2.bmp"), In("4.gif")}));

    ScanPictureFolder(kFolder + "missing", kAllKinds, list, fs);
    EXPECT_TRUE(list.paths.empty());
}

// Faults caught: subfolders listed before the folder's own files or breadth first, hidden
// or system folders entered, a link back into the tree followed again (a scan without
// end), and a cap counted per folder instead of over the tree.
TEST(PictureScan, SubfoldersAreListedDepthFirstOnceEachWithinOneCap) {
    FakeFileSystem fs;
    const auto folder = [&](const std::string& parent, const std::string& name, int attributes) {
        fs.Add(parent, name, kAttributeDirectory | attributes);
        fs.folders[parent + kPathSeparator + name];
        return parent + kPathSeparator + name;
    };
    const std::string year = folder(kFolder, "2024", 0);
    const std::string kyoto = folder(year, "Kyoto", 0);
    const std::string hidden = folder(kFolder, "cache", kAttributeHidden);
    const std::string system = folder(kFolder, "sys", kAttributeSystem);
    const std::string link = folder(kyoto, "up", 0);
    fs.identities[link] = kFolder;  // leads back to the top
    const std::string last = folder(kFolder, "z", 0);
    fs.Add(kFolder, "a.jpg", 0);
    fs.Add(year, "b.png", 0);
    fs.Add(kyoto, "c.jpg", 0);
    fs.Add(link, "d.jpg", 0);
    fs.Add(hidden, "h.jpg", 0);
    fs.Add(system, "s.jpg", 0);
    fs.Add(last, "e.gif", 0);
    PictureList list;
    ScanPictureFolder(kFolder, kAllKinds, list, fs, false);
    EXPECT_EQ(Listed(list), (std::vector<std::string>{In("a.jpg")}));
    ScanPictureFolder(kFolder, kAllKinds, list, fs, true);
    const char s = kPathSeparator;
    EXPECT_EQ(Listed(list), (std::vector<std::string>{In("a.jpg"), year + s + "b.png",
                                                      kyoto + s + "c.jpg", last + s + "e.gif"}));

    FakeFileSystem big;  // two folders of 20000: the tree holds 40000
    for (const std::string& name : {std::string("one"), std::string("two")}) {
        big.Add(kFolder, name, kAttributeDirectory);
        for (int i = 0; i < 20000; ++i) {
            big.Add(kFolder + s + name, std::to_string(i) + ".bmp", 0);
        }
    }
    ScanPictureFolder(kFolder, kAllKinds, list, big, true);
    EXPECT_EQ(list.paths.size(), std::size_t{kMaxPictureCount});
    EXPECT_EQ(list.leftOut, 40000 - 32767);
    EXPECT_EQ(list.paths[20000], kFolder + s + "two" + s + "0.bmp");
}

TEST(PictureScan, LargeFolderIsCappedAt32767) {
    // 40,000 files: 20,000 without attribute, then 20,000 archive-only; plus a gif that
    // would come second in the first pass.
    FakeFileSystem fs;
    for (int i = 0; i < 40000; ++i) {
        fs.Add(kFolder, std::to_string(i) + ".bmp", i < 20000 ? 0 : kAttributeArchive);
    }
    fs.Add(kFolder, "x.gif", 0);
    PictureList list;
    ScanPictureFolder(kFolder, kAllKinds, list, fs);
    ASSERT_EQ(list.paths.size(), std::size_t{kMaxPictureCount});

    EXPECT_EQ(list.paths[19999], In("19999.bmp"));
    EXPECT_EQ(list.paths[20000], In("x.gif"));
    EXPECT_EQ(list.paths[32766], In("32765.bmp"));
    EXPECT_EQ(list.leftOut, 40001 - 32767);
    ScanPictureFolder(kFolder, {0, 1, 0, 0, 0}, list, fs);
    EXPECT_EQ(list.leftOut, 0);

    // All in the last pass: that pass alone fills the list, the rest only count.
    FakeFileSystem readOnly;
    for (int i = 0; i < 40000; ++i) {
        readOnly.Add(kFolder, std::to_string(i) + ".jpg", kAttributeReadOnly | kAttributeArchive);
    }
    ScanPictureFolder(kFolder, kAllKinds, list, readOnly);
    ASSERT_EQ(list.paths.size(), std::size_t{kMaxPictureCount});
    EXPECT_EQ(list.paths[32766], In("32766.jpg"));
    EXPECT_EQ(list.leftOut, 40000 - 32767);
}

// Catches pictures of an earlier scan left in the list after a new one.
TEST(PictureScan, ARescanReplacesTheWholeList) {
    FakeFileSystem fs;
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp"}) fs.Add("/five", name, 0);
    fs.Add("/two", "a.bmp", 0);
    fs.Add("/two", "b.bmp", 0);
    fs.Add("/none", "readme.txt", 0);
    PictureList list;
    ScanPictureFolder("/five", kAllKinds, list, fs);
    EXPECT_EQ(list.paths.size(), 5u);
    ScanPictureFolder("/two", kAllKinds, list, fs);
    EXPECT_EQ(list.paths, (std::vector<std::string>{"/two/a.bmp", "/two/b.bmp"}));
    ScanPictureFolder("/none", kAllKinds, list, fs);
    EXPECT_TRUE(list.paths.empty());
}

TEST(PictureScan, FolderExistsAsksForAnyEntryIncludingFolders) {
    FakeFileSystem fs;
    fs.Add(kFolder, "sub", kAttributeDirectory);
    fs.Add("/hiddenonly", ".x", kAttributeHidden);
    EXPECT_TRUE(FolderExists(kFolder, fs));
    // Trailing blanks are part of a name: "pics " is another folder than "pics".
    EXPECT_FALSE(FolderExists(kFolder + "   ", fs));
    fs.Add(kFolder + " ", "a.bmp", 0);
    EXPECT_TRUE(FolderExists(kFolder + " ", fs));
    EXPECT_FALSE(FolderExists("/hiddenonly", fs));
    EXPECT_FALSE(FolderExists("/nope", fs));
}

TEST(PicturePaths, DirectoryOfAndTrailingSeparator) {
    const struct {
        const char* path;
        const char* directory;
    } cases[] = {
        {"C:\\pics\\*.bmp", "C:\\pics"},
        {"C:\\*.bmp", "C:"},
        {"C:*.bmp", "C:"},
        {"x.bmp", ""},
        {"C:\\\\*.bmp", "C:\\"},
        {"/pics/*.bmp", "/pics"},
        {"/*.bmp", ""},
        {"\\*.bmp", ""},
        {"a/b\\c:d", "a/b\\c:"},
    };
    for (const auto& c : cases) EXPECT_EQ(DirectoryOf(c.path), c.directory) << c.path;

    const std::string sep(1, kPathSeparator);
    // Trailing blanks are part of the name: trimmed, "sp " would be tested as "sp".
    EXPECT_EQ(WithTrailingBackslash("pics  "), "pics  " + sep);
    EXPECT_EQ(WithTrailingBackslash("pics" + sep), "pics" + sep);
    EXPECT_EQ(WithTrailingBackslash(""), sep);
    EXPECT_EQ(WithTrailingBackslash(" a b "), " a b " + sep);
}

TEST(Wildcard, MatchesLikeTheWindowsListing) {
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.bmp", "a.bmp", true},
        {"*.bmp", "A.BMP", true},
        {"*.bmp", "a.bmpx", false},
        {"*.bmp", ".bmp", true},
        {"*.jpg", "x.jpg.txt", false},
        {"*.*", "noext", true},
        {"*.*", "a.b.c", true},
        {"a.*", "a", true},
        {"a?c", "abc", true},
        {"a?c", "a写c", true},
        {"a?c", "ac", false},
        {"*a*b", "xaxxb", true},
        {"*a*b", "xaxxbc", false},
        {"写*.GIF", "写真.gif", true},
        {"", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    }
}

}  // namespace
}  // namespace velnor
