// The dialog's folder listing: the picture scan's passes into the dialog's own list.
#include "dialog/folder_listing.h"

#include <optional>
#include <set>

#include "settings/picture_scan.h"

namespace velnor {

std::vector<std::string> ListFolderFiles(std::string_view pattern, std::int16_t attribute,
                                         std::vector<std::string>& dialogFiles,
                                         FileSystem& fileSystem, const ListingProgress& progress,
                                         bool& stopped) {
    std::vector<std::string> errors;
    const std::string prefix = DirectoryOf(pattern) + kPathSeparator;
    FileListing listing = fileSystem.ListMatching(pattern, false);
    for (const std::string& name : listing.names) {
        std::string path = prefix + name;
        const std::optional<int> attributes = fileSystem.AttributesOf(path);
        if (!attributes) {
            errors.emplace_back("ファイルが見つかりません。");
            continue;
        }
        if (*attributes != attribute) continue;
        if (dialogFiles.size() >= static_cast<std::size_t>(kMaxPictureCount)) {
            errors.emplace_back("オーバーフローしました。");
            break;
        }
        dialogFiles.push_back(std::move(path));
        if (progress && !progress(dialogFiles.size())) {
            stopped = true;
            break;
        }
    }
    if (listing.error && !stopped) errors.push_back(*listing.error);
    return errors;
}

std::vector<std::string> ListDialogFolder(std::string_view folder,
                                          const std::array<std::int16_t, 4>& pictureKinds,
                                          std::int16_t& scanAttribute, FileSystem& fileSystem,
                                          const ListingProgress& progress,
                                          const ListingError& onError) {
    std::vector<std::string> dialogFiles;
    if (NamesNoFolder(folder)) return dialogFiles;
    std::set<std::string> reported;
    bool stopped = false;
    for (const std::int16_t pass : kScanPasses) {
        if (stopped) break;
        scanAttribute = pass;
        for (std::size_t kind = 0; kind < kPictureKindPatterns.size() && !stopped; ++kind) {
            if (pictureKinds[kind] != 1) continue;
            std::string pattern(folder);
            pattern += kPathSeparator;
            pattern += kPictureKindPatterns[kind];
            for (const std::string& error :
                 ListFolderFiles(pattern, pass, dialogFiles, fileSystem, progress, stopped)) {
                if (reported.insert(error).second && onError) onError(error);
            }
        }
    }
    return dialogFiles;
}

std::string FileNamePart(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

}  // namespace velnor
