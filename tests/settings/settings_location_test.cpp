// Choice of the settings file: the per-user file takes over when the program's folder is
// not writable, and whatever is written is what the next start reads.
#include "settings/settings_location.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "temp_folder.h"
#include "unprivileged.h"

namespace velnor {
namespace {

using test::TempFolder;

struct Folders {
    TempFolder root;
    std::filesystem::path program = root.path() / "program";
    std::filesystem::path user = root.path() / "appdata" / "Velnor";
    SettingsLocation location;
    Folders() {
        std::filesystem::create_directories(program);
        location = SettingsLocationFor(program, user);
    }
};

TEST(SettingsLocation, ReadsThePerUserFileOnlyWhenItExists) {
    Folders f;
    EXPECT_EQ(f.location.besideProgram, f.program / "Velnor.ini");
    EXPECT_EQ(f.location.perUser, f.user / "Velnor.ini");
    EXPECT_EQ(SettingsFileToRead(f.location), f.location.besideProgram);
    std::filesystem::create_directories(f.user);
    f.root.Write("appdata/Velnor/Velnor.ini", "[Section]\r\n");
    EXPECT_EQ(SettingsFileToRead(f.location), f.location.perUser);
}

TEST(SettingsLocation, WritesWhereTheNextStartReads) {
    const auto writable = [](const std::filesystem::path&) { return true; };
    const auto readOnly = [](const std::filesystem::path&) { return false; };
    Folders f;
    EXPECT_EQ(SettingsFileToWrite(f.location, writable), f.location.besideProgram);
    EXPECT_FALSE(std::filesystem::exists(f.user));

    EXPECT_EQ(SettingsFileToWrite(f.location, readOnly), f.location.perUser);
    EXPECT_TRUE(std::filesystem::is_directory(f.user));  // created for the write

    // Once a per-user file exists, it is read first, so it must also be written; the
    // program's (perhaps system) folder is then not even tried.
    f.root.Write("appdata/Velnor/Velnor.ini", "");
    int tried = 0;
    const auto counted = [&tried](const std::filesystem::path&) { return ++tried > 0; };
    EXPECT_EQ(SettingsFileToWrite(f.location, counted), f.location.perUser);
    EXPECT_EQ(tried, 0);
    EXPECT_EQ(SettingsFileToRead(f.location), f.location.perUser);

    const SettingsLocation noUserFolder = SettingsLocationFor(f.program, {});
    EXPECT_TRUE(noUserFolder.perUser.empty());
    EXPECT_EQ(SettingsFileToWrite(noUserFolder, readOnly), noUserFolder.besideProgram);
}

TEST(SettingsLocation, WritabilityIsTestedByCreatingAFile) {
    TempFolder folder;
    EXPECT_TRUE(FolderAcceptsNewFiles(folder.path()));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));  // the probe is gone again
    EXPECT_FALSE(FolderAcceptsNewFiles(folder.path() / "missing"));
}

// Catches temporaries of killed saves and write tests piling up, and a clean-up that
// removes files that are not Velnor's own.
TEST(SettingsLocation, LeftoversOfKilledSavesAreRemovedBesideBothFilesAndNothingElse) {
    Folders f;
    std::filesystem::create_directories(f.user);
    const char* const removed[] = {"Velnor.ini.0123456789abcdef.tmp",
                                   "Velnor-write-test.fedcba9876543210.tmp"};
    const char* const kept[] = {"Velnor.ini",
                                "Other.ini.0123456789abcdef.tmp",
                                "Velnor.ini.0123456789abcdeg.tmp",
                                "Velnor.ini.0123456789ABCDEF.tmp",
                                "Velnor-write-test.tmp",
                                "Velnor.ini.0123456789abcdef.tmp.bak"};
    for (const std::string folder : {"program/", "appdata/Velnor/"}) {
        for (const char* name : removed) f.root.Write(folder + name, "x");
        for (const char* name : kept) f.root.Write(folder + name, "x");
    }
    RemoveLeftoversOfEarlierSaves(f.location);
    for (const auto& folder : {f.program, f.user}) {
        for (const char* name : removed) EXPECT_FALSE(std::filesystem::exists(folder / name));
        for (const char* name : kept) EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;
    }
    RemoveLeftoversOfEarlierSaves(SettingsLocationFor(f.root.path() / "gone", {}));  // no folder
}

TEST(SettingsLocation, ReadOnlyProgramFolderIsNotWritable) {
    Folders f;
    std::filesystem::permissions(
        f.program, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                       std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    // The per-user folder is created by the write choice, so its parent must accept it.
    std::filesystem::create_directories(f.user.parent_path());
    std::filesystem::permissions(f.user.parent_path(), std::filesystem::perms::all);
    EXPECT_TRUE(test::RunUnprivileged(f.program, [&] {
        return !FolderAcceptsNewFiles(f.program) &&
               SettingsFileToWrite(f.location) == f.location.perUser;
    }));
}

TEST(SettingsLocation, XdgFolderRule) {
    EXPECT_EQ(XdgPerUserFolder("/x/cfg", "/home/u"), std::filesystem::path("/x/cfg/velnor"));
    EXPECT_EQ(XdgPerUserFolder("", "/home/u"), std::filesystem::path("/home/u/.config/velnor"));
    EXPECT_EQ(XdgPerUserFolder("relative", "/home/u"),
              std::filesystem::path("/home/u/.config/velnor"));
    EXPECT_EQ(XdgPerUserFolder("", ""), std::filesystem::path());
}

}  // namespace
}  // namespace velnor
