// The Linux file system under the scan: attribute mapping (owner-writable file = none,
// not owner-writable = read-only, dot-file = hidden, folder = directory, others = system)
// and a scan of a real temporary folder; an empty folder text lists nothing, not the root.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "recording_file_system.h"
#include "settings/file_system.h"
#include "settings/load_settings.h"
#include "settings/picture_scan.h"
#include "settings/settings_keys.h"
#include "settings/text_encoding.h"
#include "temp_folder.h"

namespace velnor {
namespace {

using test::RecordingFileSystem;
using test::TempFolder;

void MakeReadOnly(const std::filesystem::path& file) {
    std::filesystem::permissions(
        file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
}

TEST(PosixFileSystem, MapsFileKindsToClassicAttributes) {
    TempFolder folder;
    const auto fs = MakePlatformFileSystem();
    const std::string base = folder.path().string() + "/";
    folder.Write("plain.bmp", "x");
    MakeReadOnly(folder.Write("locked.bmp", "x"));
    folder.Write(".hidden.bmp", "x");
    std::filesystem::create_directory(folder.path() / "sub");
    ASSERT_EQ(mkfifo((base + "pipe.bmp").c_str(), 0644), 0);
    std::filesystem::create_symlink(folder.path() / "plain.bmp", folder.path() / "link.bmp");
    const struct {
        const char* name;
        std::optional<int> attributes;
    } cases[] = {
        {"plain.bmp", 0},
        {"locked.bmp", kAttributeReadOnly},
        {".hidden.bmp", kAttributeHidden},
        {"sub", kAttributeDirectory},
        {"pipe.bmp", kAttributeSystem},
        {"link.bmp", 0},
        {"gone.bmp", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(fs->AttributesOf(base + c.name), c.attributes) << c.name;
}

TEST(PosixFileSystem, ScansARealFolderInPassOrder) {
    TempFolder folder;
    const auto fs = MakePlatformFileSystem();
    folder.Write("b.jpg", "x");
    MakeReadOnly(folder.Write("c.gif", "x"));
    folder.Write("D.BMP", "x");
    folder.Write("a.bmp", "x");
    folder.Write(".h.bmp", "x");
    folder.Write("写真.jpg", "x");
    std::filesystem::create_directory(folder.path() / "dir.bmp");
    PictureList list;
    const std::string root = folder.path().string();
    ScanPictureFolder(root, {1, 1, 1, 1}, list, *fs);
    const std::vector<std::string> expected = {root + "/D.BMP", root + "/a.bmp", root + "/b.jpg",
                                               root + "/写真.jpg", root + "/c.gif"};
    EXPECT_EQ(list.paths, expected);
}

TEST(PosixFileSystem, JpegFilesOfEveryExtensionAreListedOnceEach) {
    TempFolder folder;
    const auto fs = MakePlatformFileSystem();
    for (const char* name : {"holiday.jpeg", "B.JPEG", "c.jpe", "d.jfif", "e.jpg", "f.jpegx"}) {
        folder.Write(name, "x");
    }
    MakeReadOnly(folder.Write("r.jpeg", "x"));
    folder.Write(".hidden.jpeg", "x");
    PictureList list;
    const std::string root = folder.path().string();
    ScanPictureFolder(root, {0, 0, 1, 0}, list, *fs);
    const std::vector<std::string> expected = {root + "/e.jpg",        root + "/B.JPEG",
                                               root + "/holiday.jpeg", root + "/c.jpe",
                                               root + "/d.jfif",       root + "/r.jpeg"};
    EXPECT_EQ(list.paths, expected);
}

TEST(PosixFileSystem, FolderTestAndListingErrors) {
    TempFolder folder;
    const auto fs = MakePlatformFileSystem();
    const std::string root = folder.path().string();
    EXPECT_TRUE(FolderExists(root, *fs));  // empty, but "." and ".." are listed
    EXPECT_FALSE(FolderExists(root + "/missing", *fs));
    folder.Write("file", "x");
    EXPECT_FALSE(FolderExists(root + "/file", *fs));
    const FileListing missing = fs->ListMatching(root + "/missing/*.bmp", false);
    ASSERT_TRUE(missing.error.has_value());
    EXPECT_FALSE(missing.error->empty());
    EXPECT_FALSE(fs->ListMatching(root + "/*.bmp", false).error.has_value());
}

TEST(PosixFileSystem, AnEmptyFolderTextNamesNoFolderAndNothingIsListed) {
    // The root of this file system is a folder with entries: listing it would find them.
    RecordingFileSystem fs;
    ASSERT_TRUE(FolderExists("/", fs));
    fs.listed.clear();
    for (const char* folder : {"", "   "}) {
        EXPECT_FALSE(FolderExists(folder, fs)) << '"' << folder << '"';
        PictureList list;
        list.paths = {"old1", "old2"};
        ScanPictureFolder(folder, {1, 1, 1, 1}, list, fs);
        EXPECT_TRUE(list.paths.empty());
    }
    // The saver's start with folder pictures chosen but no folder: black, no list.
    TempFolder folder;
    const auto ini =
        folder.Write("Velnor.ini", "[Section]\r\n" + std::string(kPictureFolderKey) + "=\r\n" +
                                       std::string(kUseSampleKey) + "=0\r\n");
    SaverSettings settings;
    LoadSettings(settings, ini, fs, *MakePlatformTextEncoding());
    EXPECT_EQ(settings.useSample, 0);
    EXPECT_EQ(settings.pictureFolder, "");
    EXPECT_TRUE(settings.pictures.paths.empty());
    EXPECT_EQ(fs.listed, std::vector<std::string>{});
}

}  // namespace
}  // namespace velnor
