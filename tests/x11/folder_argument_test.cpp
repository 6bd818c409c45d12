// The picture folder as the settings program writes it ("~/Pics", a chosen file) and the
// one line that says why a folder background stays black.
#include "x11/folder_argument.h"

#include <gtest/gtest.h>

#include "../settings/fake_file_system.h"

namespace velnor {
namespace {

using test::FakeFileSystem;

FakeFileSystem Pictures() {
    FakeFileSystem fs;
    fs.Add("/home/ann", "Pics", kAttributeDirectory);
    fs.Add("/home/ann/Pics", "a.jpg", 0);
    fs.Add("/home/ann/Pics", "b.bmp", kAttributeReadOnly);
    fs.Add("/home/ann/Pics", "inner", kAttributeDirectory);
    fs.Add("/home/ann", "Empty", kAttributeDirectory);
    fs.Add("/home/ann/Empty", "notes.txt", 0);
    fs.Add("", "c.gif", 0);
    return fs;
}

TEST(FolderArgument, ExpandsTheHomeAndTakesTheFolderOfAChosenFile) {
    FakeFileSystem fs = Pictures();
    const struct {
        const char* given;
        const char* home;
        const char* resolved;
    } cases[] = {
        {"~/Pics", "/home/ann", "/home/ann/Pics"},
        {"~", "/home/ann/Pics", "/home/ann/Pics"},
        {"~/Pics", "/home/ann/", "/home/ann/Pics"},
        {"~/Pics/a.jpg", "/home/ann", "/home/ann/Pics"},       // the chooser's file
        {"/home/ann/Pics/b.bmp", "", "/home/ann/Pics"},        // read-only is still a file
        {"/home/ann/Pics/inner", "", "/home/ann/Pics/inner"},  // a folder stays itself
        {"/c.gif", "", "/"},
        {"~/Nowhere", "/home/ann", "/home/ann/Nowhere"},  // missing: expanded, kept
        {"~/Pics/gone.jpg", "/home/ann", "/home/ann/Pics/gone.jpg"},
        {"~ann/Pics", "/home/ann", "~ann/Pics"},  // another user's home is not looked up
        {"~/Pics", "", "~/Pics"},                 // no HOME: nothing to put in its place
        {"/tmp/~/x", "/home/ann", "/tmp/~/x"},    // only a leading tilde
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveFolderArgument(c.given, c.home, fs), c.resolved)
            << c.given << " with HOME " << c.home;
    }
}

TEST(FolderArgument, SaysWhyAFolderBackgroundStaysBlack) {
    FakeFileSystem fs = Pictures();
    SaverSettings settings;
    settings.useSample = 0;
    settings.pictureKinds = {1, 1, 1, 1, 1};
    auto note = [&](const std::optional<std::string>& given) {
        return FolderBackgroundNote(settings, given, fs).value_or("(none)");
    };
    EXPECT_EQ(note("/home/ann/Nowhere"),
              "the picture folder '/home/ann/Nowhere' does not exist; the background stays "
              "black");
    EXPECT_EQ(note("/home/ann/Empty"),
              "the picture folder '/home/ann/Empty' holds no pictures of the kinds bmp, gif, "
              "jpg, wmf, png; the background stays black");
    settings.pictureKinds = {0, 1, 0, 1, 0};
    EXPECT_NE(note("/home/ann/Empty").find("of the kinds gif, wmf;"), std::string::npos);
    settings.pictureKinds = {0, 0, 0, 0, 0};
    EXPECT_EQ(note("/home/ann/Pics"),
              "no picture kind is chosen (--kinds); the background "
              "stays black");
    // The settings file's folder when the command line gave none; its loader empties a
    // folder that does not exist.
    settings.pictureKinds = {1, 1, 1, 1, 1};
    settings.pictureFolder = "/home/ann/Empty";
    EXPECT_NE(note(std::nullopt).find("'/home/ann/Empty' holds no pictures"), std::string::npos);
    settings.pictureFolder = "";
    EXPECT_EQ(note(std::nullopt), "(none)");  // black chosen as such: --no-sample alone

    // Nothing to say when a picture will be shown: listed pictures, or a sample chosen.
    settings.pictures.paths = {"/home/ann/Pics/a.jpg"};
    EXPECT_EQ(note("/home/ann/Pics"), "(none)");
    settings.pictures.paths.clear();
    settings.useSample = 1;
    EXPECT_EQ(note("/home/ann/Nowhere"), "(none)");
}

// Catches the settings file's folder key taken literally ("~/Pics" or a chosen picture
// file named as a folder that "does not exist") while --folder resolves the same text.
TEST(FolderArgument, TheSettingsFilesFolderFollowsTheRulesOfTheOption) {
    FakeFileSystem fs = Pictures();
    const struct {
        const char* stored;
        const char* resolved;
        int pictures;
    } cases[] = {
        {"~/Pics", "/home/ann/Pics", 2},
        {"/home/ann/Pics/a.jpg", "/home/ann/Pics", 2},
        {"~/Nowhere", "/home/ann/Nowhere", 0},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        SaverSettings settings;
        settings.pictureKinds = {1, 1, 1, 1, 1};
        settings.pictureFolder = c.stored;
        ResolveStoredFolder(settings, "/home/ann", fs);
        EXPECT_EQ(settings.pictureFolder, c.resolved) << c.stored;
        EXPECT_EQ(static_cast<int>(settings.pictures.paths.size()), c.pictures) << c.stored;
    }
}

// Catches every failure reported as a folder that "does not exist": a file in its place or
// in its path, and a folder that may not be read or reached.
TEST(FolderArgument, TheNoteSaysWhatIsWrongWithTheFolder) {
    FakeFileSystem fs = Pictures();
    fs.Add("/home", "ann", kAttributeDirectory);
    fs.Add("/home/ann", "notes.txt", 0);
    fs.Add("/home/ann", "Locked", kAttributeDirectory);  // listed as missing: no permission
    fs.Add("/", "home", kAttributeDirectory);
    const struct {
        const char* folder;
        std::optional<std::string> trouble;
    } cases[] = {
        {"/home/ann/Pics", std::nullopt},
        {"/home/ann/Empty", std::nullopt},
        {"/home/ann/notes.txt", " is a file, not a folder"},
        {"/home/ann/notes.txt/x", " does not exist ('/home/ann/notes.txt' is a file)"},
        {"/home/ann/Nowhere/deeper", " does not exist"},
        {"/home/ann/Locked", " cannot be read (path not found)"},
        {"/home/ann/Locked/x",
         " cannot be reached (no permission to look into '/home/ann/Locked')"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderTrouble(c.folder, fs), c.trouble) << c.folder;
    }
}

}  // namespace
}  // namespace velnor
