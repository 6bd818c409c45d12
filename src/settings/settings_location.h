// Where the settings file lives. The file beside the program is the classic place, but a
// program in the system folder cannot write there as an ordinary user; then the per-user
// file takes over. Read: the per-user file when it exists, else the one beside the program.
// Write: the per-user file when it exists, else beside the program when that folder is
// writable, else the per-user file.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace velnor {

inline constexpr std::string_view kSettingsFileName = "Velnor.ini";

struct SettingsLocation {
    std::filesystem::path besideProgram;  // <program folder>/Velnor.ini
    std::filesystem::path perUser;        // <per-user folder>/Velnor.ini; empty if unknown
};

// The two candidate files for a program folder and a per-user folder (for example
// %APPDATA%\Velnor); an empty per-user folder gives an empty per-user file.
SettingsLocation SettingsLocationFor(const std::filesystem::path& programFolder,
                                     const std::filesystem::path& perUserFolder);

// Whether a new file can be created in `folder`: tries it with a temporary file that leaves
// nothing behind, even when the program is killed meanwhile. (Permission bits alone do not
// tell: ACLs, read-only media, root.)
bool FolderAcceptsNewFiles(const std::filesystem::path& folder);

// Removes what saves and write tests of earlier runs left when they were killed: only
// Velnor's own temporary names ("Velnor.ini.<16 hex digits>.tmp" and
// "Velnor-write-test.<16 hex digits>.tmp") beside each of the two settings files.
void RemoveLeftoversOfEarlierSaves(const SettingsLocation& location);

using FolderWritableTest = std::function<bool(const std::filesystem::path& folder)>;

// The file LoadSettings should read.
std::filesystem::path SettingsFileToRead(const SettingsLocation& location);

// The file the dialog should write; creates the per-user folder when that is chosen.
// Chosen so that the next SettingsFileToRead returns the same file.
std::filesystem::path SettingsFileToWrite(
    const SettingsLocation& location,
    const FolderWritableTest& folderWritable = FolderAcceptsNewFiles);

// The per-user folder by the XDG rule: $XDG_CONFIG_HOME/velnor when that is an absolute
// path, else $HOME/.config/velnor; empty when neither is usable.
std::filesystem::path XdgPerUserFolder(std::string_view xdgConfigHome, std::string_view home);

// The running platform's location: the folder of the running program and the per-user
// folder (%APPDATA%\Velnor on Windows, the XDG folder elsewhere).
SettingsLocation PlatformSettingsLocation();

}  // namespace velnor
