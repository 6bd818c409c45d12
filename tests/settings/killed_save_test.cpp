// Saves that the machine interrupts: a save killed at random moments leaves exactly the
// old or the new file and no pile of temporaries; a folder that cannot be written and a
// full disk make the save report failure with the file untouched.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>

#include "platform_text.h"
#include "repetitions.h"
#include "save_entries.h"
#include "settings/ini_file.h"
#include "settings/settings_location.h"
#include "temp_folder.h"
#include "unprivileged.h"

namespace velnor {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

int CountTemporaries(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().extension() == ".tmp" ? 1 : 0;
    }
    return count;
}

// The 22 entries of a save whose values depend on `round`, so every save changes the file.
std::vector<IniEntry> EntriesOfRound(int round) {
    std::vector<IniEntry> entries = test::OtherSaveEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].value = " " + std::to_string(round * 100 + static_cast<int>(i));
    }
    return entries;
}

// Runs one save in a child and kills it after `delay`; false when the child could not run.
bool KilledSave(const fs::path& file, const std::vector<IniEntry>& entries,
                std::chrono::microseconds delay) {
    const pid_t child = fork();
    if (child == 0) {
        WriteIniValues("Section", entries, file, test::PlatformText());
        pause();  // a save that finished waits for its kill like one that did not
        _exit(0);
    }
    if (child < 0) return false;
    if (delay.count() > 0) usleep(static_cast<useconds_t>(delay.count()));
    kill(child, SIGKILL);
    int status = 0;
    return waitpid(child, &status, 0) == child;
}

TEST(KilledSave, LeavesTheOldOrTheNewFileAndNoPileOfTemporaries) {
    TempFolder folder;
    // Long comments make the file big enough that kills land inside the write as well.
    std::string start = "; kept\r\n[Other]\r\n";
    for (int i = 0; i < 2000; ++i) start += "; padding line " + std::to_string(i) + "\r\n";
    const fs::path file = folder.Write("Velnor.ini", start);
    const auto began = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(WriteIniValues("Section", EntriesOfRound(i), file, test::PlatformText()));
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
        (std::chrono::steady_clock::now() - began) / 5);

    std::mt19937 random(12);
    std::uniform_int_distribution<long long> delays(0, saveTime.count() * 3 / 2 + 200);
    int oldFiles = 0, newFiles = 0, leftovers = 0;
    constexpr int kKills = test::Repetitions(500);
    for (int round = 5; round < 5 + kKills; ++round) {
        const std::string before = TempFolder::Read(file);
        const std::vector<IniEntry> entries = EntriesOfRound(round);
        const std::string after = WithIniValues(before, "Section", test::InCp932(entries));
        ASSERT_TRUE(KilledSave(file, entries, std::chrono::microseconds(delays(random))));
        const std::string now = TempFolder::Read(file);
        ASSERT_TRUE(now == before || now == after) << "round " << round << ": mixed or damaged";
        (now == before ? oldFiles : newFiles) += 1;
        const int temporaries = CountTemporaries(folder.path());
        ASSERT_LE(temporaries, 1) << "round " << round;
        leftovers += temporaries;
    }
    std::cout << "killed saves: " << kKills << ", old file " << oldFiles << ", new file "
              << newFiles << ", a temporary left behind " << leftovers << " times (save takes "
              << saveTime.count() << " us)\n";
    EXPECT_GT(oldFiles, 0);
    EXPECT_GT(newFiles, 0);
    ASSERT_TRUE(WriteIniValues("Section", EntriesOfRound(0), file, test::PlatformText()));
    EXPECT_EQ(CountTemporaries(folder.path()), 0);
}

// Catches the write test's file left behind when the dialog is killed during the test.
TEST(KilledSave, TheWriteTestLeavesNothingWhenKilled) {
    TempFolder folder;
    std::mt19937 random(26);
    for (int round = 0; round < 100; ++round) {
        const pid_t child = fork();
        if (child == 0) {
            while (true) FolderAcceptsNewFiles(folder.path());
        }
        ASSERT_GT(child, 0);
        usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(0, 2000)(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(fs::is_empty(folder.path())) << "round " << round;
    }
}

TEST(KilledSave, AFolderThatCannotBeWrittenFailsTheSaveAndKeepsTheFile) {
    TempFolder folder;
    const fs::path file = folder.Write("Velnor.ini", "[Section]\r\nScale= 144\r\n");
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(file, fs::perms::all);
    EXPECT_TRUE(test::RunUnprivileged(folder.path(), [&] {
        return !WriteIniValues("Section", test::FactorySaveEntries(), file, test::PlatformText());
    }));
    EXPECT_EQ(TempFolder::Read(file), "[Section]\r\nScale= 144\r\n");
    EXPECT_EQ(CountTemporaries(folder.path()), 0);
}

// Unmounts the small file system made for a test.
struct MountGuard {
    fs::path where;
    ~MountGuard() { umount2(where.c_str(), MNT_DETACH); }
};

TEST(KilledSave, AFullDiskFailsTheSaveAndKeepsTheFile) {
    TempFolder folder;
    const fs::path disk = folder.path() / "disk";
    fs::create_directory(disk);
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                     << "); the full-disk case needs root with mount rights";
    }
    MountGuard guard{disk};
    const std::string old = "[Section]\r\nScale= 144\r\n";
    const fs::path file = disk / "Velnor.ini";
    std::ofstream(file, std::ios::binary) << old;
    {
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    }
    const std::vector<IniEntry> entries = {{"Folder", std::string(20000, 'p')}};
    EXPECT_FALSE(WriteIniValues("Section", entries, file, test::PlatformText()));
    EXPECT_EQ(TempFolder::Read(file), old);
    EXPECT_EQ(CountTemporaries(disk), 0);
}

}  // namespace
}  // namespace velnor
