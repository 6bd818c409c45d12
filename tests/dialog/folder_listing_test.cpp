// The folder listing as the dialog uses it: progress that counts the files taken and can
// stop the listing, errors reported once each, no listing at all for an empty folder text
// (a cancelled browse), and the texts the dialog shows from it.
#include "dialog/folder_listing.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "../settings/fake_file_system.h"
#include "../settings/recording_file_system.h"
#include "settings/picture_scan.h"

namespace velnor {
namespace {

using test::FakeFileSystem;

const std::string kFolder = std::string("pics");
constexpr PictureKindFlags kAllKinds{1, 1, 1, 1, 1};

std::string In(const std::string& name) {
    return kFolder + kPathSeparator + name;
}

struct Listed {
    FolderPictures found;
    std::vector<std::size_t> progress;
};

Listed List(FakeFileSystem& fs, const PictureKindFlags& kinds = kAllKinds, std::size_t stopAt = 0) {
    Listed out;
    out.found = ListFolderPictures(kFolder, kinds, fs, [&](std::size_t count) {
        out.progress.push_back(count);
        return count != stopAt;
    });
    return out;
}

TEST(DialogFolderListing, ProgressCountsEveryFileTakenAndNothingElse) {
    FakeFileSystem fs;
    fs.Add(kFolder, "m.bmp", kAttributeReadOnly);
    fs.Add(kFolder, "a.gif", kAttributeArchive);
    fs.Add(kFolder, "both.jpg", kAttributeReadOnly | kAttributeArchive);
    fs.Add(kFolder, "secret.bmp", kAttributeHidden);
    fs.Add(kFolder, "sys.gif", kAttributeSystem);
    fs.Add(kFolder, "c.jpeg", 0);
    fs.Add(kFolder, "notes.txt", 0);
    const Listed listed = List(fs);
    EXPECT_EQ(listed.found.paths,
              (std::vector<std::string>{In("c.jpeg"), In("a.gif"), In("m.bmp"), In("both.jpg")}));
    EXPECT_EQ(listed.progress, (std::vector<std::size_t>{1, 2, 3, 4}));
    EXPECT_TRUE(listed.found.errors.empty());
    EXPECT_FALSE(listed.found.stopped);
}

TEST(DialogFolderListing, ErrorsAreReportedOnceEachAndTheListingGoesOn) {
    FakeFileSystem fs;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "x.jpg", "y.jpg"}) fs.Add(kFolder, name, 0);
    fs.vanished.insert(In("b.bmp"));
    fs.vanished.insert(In("x.jpg"));
    const Listed listed = List(fs);
    EXPECT_EQ(listed.found.paths,
              (std::vector<std::string>{In("a.bmp"), In("c.bmp"), In("y.jpg")}));
    ASSERT_EQ(listed.found.errors.size(), 1u);
    EXPECT_FALSE(listed.found.errors[0].empty());

    FakeFileSystem missing;  // "pics" does not exist: every one of the 8 listings fails
    const Listed none = List(missing);
    EXPECT_TRUE(none.found.paths.empty());
    EXPECT_EQ(none.found.errors, (std::vector<std::string>{"path not found"}));
    EXPECT_EQ(missing.listings, 8);

    FakeFileSystem broken;
    broken.Add(kFolder, "a.bmp", 0);
    broken.Add(kFolder, "b.bmp", 0);
    broken.breakAfter[kFolder] = 1;
    const Listed cut = List(broken, {1, 0, 0, 0});
    EXPECT_EQ(cut.found.paths, (std::vector<std::string>{In("a.bmp")}));
    EXPECT_EQ(cut.found.errors, (std::vector<std::string>{"listing broke off"}));
}

TEST(DialogFolderListing, ProgressCanStopTheWholeListing) {
    FakeFileSystem fs;
    for (const char* name : {"a.bmp", "b.bmp", "c.gif", "d.jpg"}) fs.Add(kFolder, name, 0);
    const Listed listed = List(fs, kAllKinds, 2);
    EXPECT_TRUE(listed.found.stopped);
    EXPECT_EQ(listed.progress, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(fs.listings, 1);  // nothing is listed after the stop
    EXPECT_TRUE(List(fs, {0, 0, 0, 0}).progress.empty());
}

TEST(DialogFolderListing, ProgressNeverCountsBeyondTheListsLimit) {
    FakeFileSystem fs;
    for (int i = 0; i < kMaxPictureCount + 5; ++i) fs.Add(kFolder, std::to_string(i) + ".gif", 0);
    const Listed listed = List(fs);
    EXPECT_EQ(listed.found.paths.size(), static_cast<std::size_t>(kMaxPictureCount));
    EXPECT_EQ(listed.found.leftOut, 5u);
    EXPECT_EQ(listed.progress.back(), static_cast<std::size_t>(kMaxPictureCount));
}

TEST(DialogFolderListing, AnEmptyFolderTextListsNothingNotTheRoot) {
    test::RecordingFileSystem fs;  // the real file system, whose root has entries
    for (const char* folder : {"", "  "}) {
        int progress = 0;
        const FolderPictures found =
            ListFolderPictures(folder, kAllKinds, fs, [&](std::size_t) { return ++progress > 0; });
        EXPECT_TRUE(found.paths.empty());
        EXPECT_TRUE(found.errors.empty());
        EXPECT_EQ(progress, 0);
    }
    EXPECT_EQ(fs.listed, std::vector<std::string>{});
}

TEST(DialogFolderListing, FileNamePartAndLeftOutMessage) {
    for (const auto& [path, name] :
         std::vector<std::pair<std::string, std::string>>{{"C:\\pics\\a.bmp", "a.bmp"},
                                                          {"C:a.bmp", "a.bmp"},
                                                          {"/tmp/ü日本.gif", "ü日本.gif"},
                                                          {"plain.jpg", "plain.jpg"},
                                                          {"C:\\pics\\", ""}}) {
        EXPECT_EQ(FileNamePart(path), name) << path;
    }
    // Fault caught: subfolder pictures shown by their bare names (two "a.jpg" lines), or a
    // folder name that only begins the same ("pics2") taken for the folder.
    for (const auto& [path, folder, name] : std::vector<std::array<std::string, 3>>{
             {"C:\\pics\\2024\\a.jpg", "C:\\pics", "2024\\a.jpg"},
             {"/home/p/2024/Kyoto/a.png", "/home/p", "2024/Kyoto/a.png"},
             {"C:\\pics2\\a.jpg", "C:\\pics", "a.jpg"},
             {"C:\\pics\\a.jpg", "C:\\pics", "a.jpg"}}) {
        EXPECT_EQ(NameUnderFolder(path, folder), name) << path;
    }
    const std::string message = LeftOutMessage(32767, 7233);
    EXPECT_NE(message.find("40000"), std::string::npos) << message;
    EXPECT_NE(message.find("32767"), std::string::npos) << message;
    EXPECT_NE(message.find("7233"), std::string::npos) << message;
}

// Catches a count shown on every file (a slow listing) or never again after the first
// time, and a tick counter that wraps being taken as a long wait.
TEST(DialogFolderListing, TheCountShowsOnceEachIntervalFromTheLastTime) {
    ListingPace pace(1000, 50);
    std::vector<std::uint64_t> shown;
    for (std::uint64_t now = 1000; now <= 1200; now += 10) {
        if (pace.Due(now)) shown.push_back(now);
    }
    EXPECT_EQ(shown, (std::vector<std::uint64_t>{1050, 1100, 1150, 1200}));
    ListingPace nearWrap(~std::uint64_t{0} - 20, 50);
    EXPECT_FALSE(nearWrap.Due(10));
    EXPECT_TRUE(nearWrap.Due(30));
}

}  // namespace
}  // namespace velnor
