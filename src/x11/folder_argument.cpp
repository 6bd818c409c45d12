// "~" expansion, a file standing for its folder, and the note on a folder that gives no
// background picture.
#include "x11/folder_argument.h"

#include "settings/picture_scan.h"

namespace velnor {
namespace {

// The kinds' names as --kinds takes them, in the order of SaverSettings::pictureKinds.
constexpr std::string_view kKindNames[] = {"bmp", "gif", "jpg", "wmf"};

std::string ChosenKinds(const SaverSettings& settings) {
    std::string kinds;
    for (std::size_t i = 0; i < std::size(kKindNames) && i < settings.pictureKinds.size(); ++i) {
        if (settings.pictureKinds[i] != 1) continue;
        if (!kinds.empty()) kinds += ", ";
        kinds += kKindNames[i];
    }
    return kinds;
}

}  // namespace

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
    if (settings.useSample == 1 || settings.pictures.pictureCount > 0) return std::nullopt;
    const std::string outcome = "; the background stays black";
    const std::string kinds = ChosenKinds(settings);
    const std::string folder = givenFolder ? *givenFolder : settings.pictureFolder;
    if (NamesNoFolder(folder)) {
        return "no picture folder is set (--folder), or the settings file's does not exist" +
               outcome;
    }
    const std::string named = "the picture folder '" + folder + "'";
    if (!FolderExists(folder, fileSystem)) return named + " does not exist" + outcome;
    if (kinds.empty()) return "no picture kind is chosen (--kinds)" + outcome;
    return named + " holds no pictures of the kinds " + kinds + outcome;
}

}  // namespace velnor
