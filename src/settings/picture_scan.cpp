// Picture-folder scan and its path helpers.
#include "settings/picture_scan.h"

namespace velnor {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Adds `path` as the new last element: the array is sized to exactly 0..pictureCount,
// dropping paths a longer earlier scan left behind. Growth by one keeps the vector's
// amortised reallocation, so a large folder costs no quadratic copying.
void AddPicture(PictureList& list, std::string path) {
    ++list.pictureCount;
    const auto count = static_cast<std::size_t>(list.pictureCount);
    list.picturePaths.resize(count + 1);
    list.picturePaths[count] = std::move(path);
}

}  // namespace

bool NamesNoFolder(std::string_view folder) {
    return folder.find_first_not_of(' ') == std::string_view::npos;
}

std::string WithTrailingBackslash(std::string_view path) {
    std::string out(path.substr(0, path.find_last_not_of(' ') + 1));
    if (out.empty() || out.back() != kPathSeparator) out += kPathSeparator;
    return out;
}

std::string DirectoryOf(std::string_view path) {
    const std::size_t last = path.find_last_of(":\\/");
    if (last == std::string_view::npos) return {};
    std::string_view folder = path.substr(0, last + 1);
    if (IsSeparator(folder.back())) folder.remove_suffix(1);
    return std::string(folder);
}

bool FolderExists(std::string_view folder, FileSystem& fileSystem) {
    if (NamesNoFolder(folder)) return false;
    const std::string everything = WithTrailingBackslash(folder) + "*.*";
    return !fileSystem.ListMatching(everything, true).names.empty();
}

std::optional<std::string> ListMatchingFiles(std::string_view pattern, std::int16_t attribute,
                                             PictureList& list, FileSystem& fileSystem) {
    const std::string folder = DirectoryOf(pattern) + kPathSeparator;
    FileListing listing = fileSystem.ListMatching(pattern, false);
    for (const std::string& name : listing.names) {
        std::string path = folder + name;
        const std::optional<int> attributes = fileSystem.AttributesOf(path);
        if (!attributes) return std::string("ファイルが見つかりません。");
        if (*attributes != attribute) continue;
        if (list.pictureCount >= kMaxPictureCount) return std::string("オーバーフローしました。");
        AddPicture(list, std::move(path));
    }
    return listing.error;
}

void ScanPictureFolder(std::string_view folder, const std::array<std::int16_t, 4>& pictureKinds,
                       PictureList& list, FileSystem& fileSystem) {
    list.pictureCount = 0;
    if (NamesNoFolder(folder)) return;
    for (const std::int16_t pass : kScanPasses) {
        list.scanAttribute = pass;
        for (std::size_t kind = 0; kind < kPictureKindPatterns.size(); ++kind) {
            if (pictureKinds[kind] != 1) continue;
            std::string pattern(folder);
            pattern += kPathSeparator;
            pattern += kPictureKindPatterns[kind];
            ListMatchingFiles(pattern, pass, list, fileSystem);
        }
    }
}

}  // namespace velnor
