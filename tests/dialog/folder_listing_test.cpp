// The dialog's folder listing: pass and kind order, attribute filtering, progress,
// errors reported once and never repeated, stopping when the dialog closes, and no
// listing at all for an empty folder text (a cancelled browse).
#include "dialog/folder_listing.h"

#include <gtest/gtest.h>

#include "../settings/fake_file_system.h"
#include "../settings/recording_file_system.h"

namespace velnor {
namespace {

using test::FakeFileSystem;

const std::string kFolder = std::string("pics");
constexpr std::array<std::int16_t, 4> kAllKinds{1, 1, 1, 1};

std::string In(const std::string& name) {
    return kFolder + kPathSeparator + name;
}

struct Listed {
    std::vector<std::string> files;
    std::vector<std::size_t> progress;
    std::vector<std::string> errors;
    std::int16_t lastPass = -1;
};

Listed List(FakeFileSystem& fs, const std::array<std::int16_t, 4>& kinds = kAllKinds,
            std::size_t stopAt = 0) {
    Listed out;
    out.files = ListDialogFolder(
        kFolder, kinds, out.lastPass, fs,
        [&](std::size_t count) {
            out.progress.push_back(count);
            return count != stopAt;
        },
        [&](const std::string& message) { out.errors.push_back(message); });
    return out;
}

TEST(DialogFolderListing, PassesOfNoneArchiveReadOnlyEachInKindOrder) {
    FakeFileSystem fs;
    fs.Add(kFolder, "m.bmp", kAttributeReadOnly);
    fs.Add(kFolder, "a.gif", kAttributeArchive);
    fs.Add(kFolder, "z.bmp", 0);
    fs.Add(kFolder, "both.jpg", kAttributeReadOnly | kAttributeArchive);
    fs.Add(kFolder, "secret.bmp", kAttributeHidden);
    fs.Add(kFolder, "sys.gif", kAttributeSystem);
    fs.Add(kFolder, "b.wmf", 0);
    fs.Add(kFolder, "c.jpg", 0);
    fs.Add(kFolder, "notes.txt", 0);
    const Listed listed = List(fs);
    EXPECT_EQ(listed.files, (std::vector<std::string>{In("z.bmp"), In("c.jpg"), In("b.wmf"),
                                                      In("a.gif"), In("m.bmp")}));
    EXPECT_EQ(listed.progress, (std::vector<std::size_t>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(listed.errors.empty());
    EXPECT_EQ(listed.lastPass, kAttributeReadOnly);
}

TEST(DialogFolderListing, OnlySelectedKindsAndNothingWhenAllAreOff) {
    FakeFileSystem fs;
    fs.Add(kFolder, "z.bmp", 0);
    fs.Add(kFolder, "a.gif", kAttributeArchive);
    fs.Add(kFolder, "m.bmp", kAttributeReadOnly);
    EXPECT_EQ(List(fs, {0, 1, 0, 0}).files, (std::vector<std::string>{In("a.gif")}));
    const Listed none = List(fs, {0, 0, 0, 0});
    EXPECT_TRUE(none.files.empty());
    EXPECT_TRUE(none.progress.empty());
    EXPECT_EQ(fs.listings, 3);  // one listing per selected kind and pass; none when all are off
}

TEST(DialogFolderListing, VanishedFileIsSkippedAndReportedOnce) {
    FakeFileSystem fs;
    fs.Add(kFolder, "a.bmp", 0);
    fs.Add(kFolder, "b.bmp", 0);
    fs.Add(kFolder, "c.bmp", 0);
    fs.vanished.insert(In("b.bmp"));
    const Listed listed = List(fs);
    // b.bmp fails in each of the three passes; the user sees the message once.
    EXPECT_EQ(listed.files, (std::vector<std::string>{In("a.bmp"), In("c.bmp")}));
    ASSERT_EQ(listed.errors.size(), 1u);
    EXPECT_FALSE(listed.errors[0].empty());
}

TEST(DialogFolderListing, UnreadableFolderGivesOneMessageAndNoFiles) {
    FakeFileSystem fs;  // "pics" does not exist: every one of the 12 listings fails
    const Listed listed = List(fs);
    EXPECT_TRUE(listed.files.empty());
    EXPECT_EQ(listed.errors, (std::vector<std::string>{"path not found"}));
    EXPECT_EQ(fs.listings, 12);
}

TEST(DialogFolderListing, ListingThatBreaksOffKeepsWhatCameBefore) {
    FakeFileSystem fs;
    fs.Add(kFolder, "a.bmp", 0);
    fs.Add(kFolder, "b.bmp", 0);
    fs.breakAfter[kFolder] = 1;
    const Listed listed = List(fs, {1, 0, 0, 0});
    EXPECT_EQ(listed.files, (std::vector<std::string>{In("a.bmp")}));
    EXPECT_EQ(listed.errors, (std::vector<std::string>{"listing broke off"}));
}

TEST(DialogFolderListing, ProgressCanStopTheWholeListing) {
    FakeFileSystem fs;
    for (const char* name : {"a.bmp", "b.bmp", "c.gif", "d.jpg"}) fs.Add(kFolder, name, 0);
    const Listed listed = List(fs, kAllKinds, 2);
    EXPECT_EQ(listed.files.size(), 2u);
    EXPECT_EQ(listed.progress, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(fs.listings, 1);  // nothing is listed after the stop
}

TEST(DialogFolderListing, ListNeverGrowsBeyondTheCountLimit) {
    std::vector<std::string> files(kMaxPictureCount - 1, "x");
    FakeFileSystem fs;
    fs.Add(kFolder, "a.bmp", 0);
    fs.Add(kFolder, "b.bmp", 0);
    bool stopped = false;
    const auto errors = ListFolderFiles(In("*.bmp"), 0, files, fs, nullptr, stopped);
    EXPECT_EQ(files.size(), static_cast<std::size_t>(kMaxPictureCount));
    EXPECT_EQ(files.back(), In("a.bmp"));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(stopped);
}

TEST(DialogFolderListing, AnEmptyFolderTextListsNothingNotTheRoot) {
    test::RecordingFileSystem fs;  // the real file system, whose root has entries
    for (const char* folder : {"", "  "}) {
        std::int16_t pass = -1;
        int progress = 0;
        int errors = 0;
        const auto files = ListDialogFolder(
            folder, kAllKinds, pass, fs, [&](std::size_t) { return ++progress > 0; },
            [&](const std::string&) { ++errors; });
        EXPECT_TRUE(files.empty());
        EXPECT_EQ(progress + errors, 0);
    }
    EXPECT_EQ(fs.listed, std::vector<std::string>{});
}

TEST(DialogFolderListing, FileNamePartDropsTheFolder) {
    for (const auto& [path, name] :
         std::vector<std::pair<std::string, std::string>>{{"C:\\pics\\a.bmp", "a.bmp"},
                                                          {"C:a.bmp", "a.bmp"},
                                                          {"/tmp/ü日本.gif", "ü日本.gif"},
                                                          {"plain.jpg", "plain.jpg"},
                                                          {"C:\\pics\\", ""}}) {
        EXPECT_EQ(FileNamePart(path), name) << path;
    }
}

}  // namespace
}  // namespace velnor
