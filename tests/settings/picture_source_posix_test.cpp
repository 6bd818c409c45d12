// The saver's picture source on a real folder: inotify reports files added, removed and
// renamed, in subfolders too once listed, and a new listing shows the folder as it is.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/picture_source.h"
#include "temp_folder.h"

namespace velnor {
namespace {

using test::TempFolder;

std::vector<std::string> Names(const PictureList& list, const std::filesystem::path& base) {
    std::vector<std::string> names;
    for (const std::string& path : list.paths) {
        names.push_back(std::filesystem::path(path).lexically_relative(base).string());
    }
    return names;
}

// Catches a change to the folder (or, with subfolders, below it) that is never reported, so
// added pictures wait for a round's end, and a report without a change (a rescan per tick).
TEST(FolderPictureSource, ReportsEachKindOfChangeOnceAndListsTheFolderAsItIsNow) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "2024" / "Kyoto");
    folder.Write("a.jpg", "x");
    SaverSettings settings;
    settings.pictureFolder = folder.path().string();
    settings.pictureKinds = {1, 1, 1, 1, 1};
    settings.includeSubfolders = 1;
    FolderPictureSource source(settings, MakePlatformFileSystem());
    EXPECT_FALSE(source.TakeChange());  // the first call sets the watch up
    EXPECT_EQ(Names(source.List(), folder.path()), std::vector<std::string>{"a.jpg"});
    EXPECT_FALSE(source.TakeChange());  // nothing happened since
    const struct {
        const char* change;
        std::function<void()> make;
    } changes[] = {
        {"added below", [&] { folder.Write("2024/Kyoto/b.png", "x"); }},
        {"renamed",
         [&] { std::filesystem::rename(folder.path() / "a.jpg", folder.path() / "c.jpg"); }},
        {"deleted", [&] { std::filesystem::remove(folder.path() / "c.jpg"); }},
    };
    for (const auto& c : changes) {
        c.make();
        EXPECT_TRUE(source.TakeChange()) << c.change;
        EXPECT_FALSE(source.TakeChange()) << c.change << ": reported twice";
    }
    EXPECT_EQ(Names(source.List(), folder.path()), std::vector<std::string>{"2024/Kyoto/b.png"});
    // A folder that went away lists nothing, and the source goes on working.
    std::filesystem::remove_all(folder.path() / "2024");
    EXPECT_TRUE(source.List().paths.empty());
}

}  // namespace
}  // namespace velnor
