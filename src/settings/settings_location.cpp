// Choice between the settings file beside the program and the per-user one.
#include "settings/settings_location.h"

#include <cstdio>
#include <system_error>

#include "settings/file_io.h"

namespace velnor {
namespace {

std::filesystem::path Utf8Path(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// The name the write test's temporary files start with.
constexpr char kWriteTestName[] = "Velnor-write-test";

bool FileExists(const std::filesystem::path& file) {
    std::error_code error;
    return !file.empty() && std::filesystem::exists(file, error);
}

}  // namespace

SettingsLocation SettingsLocationFor(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& perUserFolder) {
    SettingsLocation location;
    location.besideProgram = programFolder / Utf8Path(kSettingsFileName);
    if (!perUserFolder.empty()) location.perUser = perUserFolder / Utf8Path(kSettingsFileName);
    return location;
}

bool FolderAcceptsNewFiles(const std::filesystem::path& folder) {
    try {
        return CanCreateFileIn(folder, kWriteTestName);
    } catch (...) {
        return false;
    }
}

void RemoveLeftoversOfEarlierSaves(const SettingsLocation& location) {
    for (const std::filesystem::path& file : {location.besideProgram, location.perUser}) {
        if (file.empty()) continue;
        const std::filesystem::path folder = file.parent_path();
        const std::filesystem::path probe = folder / kWriteTestName;
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::filesystem::path name = it->path().filename();
            std::error_code ignored;
            if (IsTemporarySiblingName(name, file) || IsTemporarySiblingName(name, probe)) {
                std::filesystem::remove(it->path(), ignored);
            }
        }
    }
}

std::filesystem::path SettingsFileToRead(const SettingsLocation& location) {
    return FileExists(location.perUser) ? location.perUser : location.besideProgram;
}

std::filesystem::path SettingsFileToWrite(const SettingsLocation& location,
                                          const FolderWritableTest& folderWritable) {
    // Writing beside the program while a per-user file exists would be lost: reads prefer
    // the per-user file.
    if (FileExists(location.perUser)) return location.perUser;
    if (location.perUser.empty() || folderWritable(location.besideProgram.parent_path())) {
        return location.besideProgram;
    }
    std::error_code error;
    std::filesystem::create_directories(location.perUser.parent_path(), error);
    return location.perUser;
}

std::filesystem::path XdgPerUserFolder(std::string_view xdgConfigHome, std::string_view home) {
    const std::filesystem::path xdg = Utf8Path(xdgConfigHome);
    if (xdg.is_absolute()) return xdg / "velnor";
    const std::filesystem::path homeFolder = Utf8Path(home);
    if (homeFolder.is_absolute()) return homeFolder / ".config" / "velnor";
    return {};
}

}  // namespace velnor
