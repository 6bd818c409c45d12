// "~" expansion, a file standing for its folder (for --folder and the settings file's
// folder alike), and the note on a folder that gives no background picture.
#include "x11/folder_argument.h"

#include "settings/load_settings.h"
#include "settings/picture_scan.h"

namespace velnor {
namespace {

std::string ChosenKinds(const SaverSettings& settings) {
    std::string kinds;
    for (std::size_t i = 0; i < settings.pictureKinds.size(); ++i) {
        if (settings.pictureKinds[i] != 1) continue;
        if (!kinds.empty()) kinds += ", ";
        kinds += kPictureKindNames[i];
    }
    return kinds;
}

bool IsFolder(const std::optional<int>& attributes) {
    return attributes && (*attributes & kAttributeDirectory) != 0;
}

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

void ResolveStoredFolder(SaverSettings& settings, std::string_view home, FileSystem& fileSystem) {
    if (NamesNoFolder(settings.pictureFolder)) return;
    std::string resolved = ResolveFolderArgument(settings.pictureFolder, home, fileSystem);
    if (resolved == settings.pictureFolder) return;
    settings.pictureFolder = std::move(resolved);
    ScanStoredFolder(settings, fileSystem);
}

std::optional<std::string> FolderTrouble(const std::string& folder, FileSystem& fileSystem) {
    const std::optional<int> attributes = fileSystem.AttributesOf(folder);
    if (attributes && !IsFolder(attributes)) return " is a file, not a folder";
    if (IsFolder(attributes)) {
        const FileListing listing =
            fileSystem.ListMatching(WithTrailingBackslash(folder) + "*", true);
        if (!listing.error) return std::nullopt;
        return " cannot be read (" + *listing.error + ")";
    }
    // Missing, or hidden behind a parent: the nearest parent that is there tells which.
    for (std::string parent = ParentOf(folder);; parent = ParentOf(parent)) {
        const std::optional<int> found = fileSystem.AttributesOf(parent);
        if (found && !IsFolder(found)) return " does not exist ('" + parent + "' is a file)";
        if (found) {
            const FileListing listing = fileSystem.ListMatching(parent + "/*", true);
            if (listing.error) {
                return " cannot be reached (no permission to look into '" + parent + "')";
            }
            return " does not exist";
        }
        if (parent == "/" || parent == ".") return " does not exist";
    }
}

std::string ResolveFolderArgument(std::string_view given, std::string_view home,
                                  FileSystem& fileSystem) {
    std::string path(given);
    const bool tilde = given == "~" || given.starts_with("~/");
    if (tilde && !home.empty()) {
        std::string_view rest = given.substr(1);
        // "~/" on a home of "/" gives "/", not "//".
        if (home.ends_with('/') && rest.starts_with('/')) rest.remove_prefix(1);
        path = std::string(home) + std::string(rest);
    }
    const std::optional<int> attributes = fileSystem.AttributesOf(path);
    if (attributes && (*attributes & kAttributeDirectory) == 0) {
        const std::size_t slash = path.find_last_of('/');
        if (slash == std::string::npos) return ".";
        return slash == 0 ? "/" : path.substr(0, slash);
    }
    return path;
}

std::optional<std::string> FolderBackgroundNote(const SaverSettings& settings,
                                                const std::optional<std::string>& givenFolder,
                                                FileSystem& fileSystem) {
    if (settings.useSample == 1 || !settings.pictures.paths.empty()) return std::nullopt;
    const std::string outcome = "; the background stays black";
    const std::string kinds = ChosenKinds(settings);
    const std::string folder = givenFolder ? *givenFolder : settings.pictureFolder;
    // No folder at all is a black background chosen as such (--no-sample alone).
    if (NamesNoFolder(folder)) return std::nullopt;
    const std::string named = "the picture folder '" + folder + "'";
    if (const auto trouble = FolderTrouble(folder, fileSystem)) return named + *trouble + outcome;
    if (kinds.empty()) return "no picture kind is chosen (--kinds)" + outcome;
    return named + " holds no pictures of the kinds " + kinds + outcome;
}

}  // namespace velnor
