// The picture scan over a tree of 20,000 files in 500 folders (40 a folder, in 25 folders
// of 20 subfolders each), with subfolders, on the platform's file system: the time of a
// cold-ish first scan and the best of five more; then the saver's new listing of the same
// tree (the scan and a change watch on each folder), as a ratio to the bare scan. Prints
// the figures; asserts nothing.
//   velnor_folder_scan_bench
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "settings/file_system.h"
#include "settings/picture_scan.h"
#include "settings/picture_source.h"
#include "temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTopFolders = 25;
constexpr int kSubfoldersEach = 19;  // 25 + 25 * 19 = 500 folders
constexpr int kFilesEach = 40;       // 500 * 40 = 20,000 files
constexpr const char* kExtensions[] = {".jpg", ".png", ".gif", ".bmp"};

void FillFolder(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < kFilesEach; ++i) {
        std::ofstream(folder / ("IMG_" + std::to_string(i) + kExtensions[i % 4])) << "x";
    }
}

double ScanSeconds(const std::string& top, velnor::FileSystem& fileSystem, std::size_t& found) {
    const velnor::PictureKindFlags all{1, 1, 1, 1, 1};
    const auto start = Clock::now();
    const velnor::FolderPictures pictures =
        velnor::ListFolderPictures(top, all, fileSystem, {}, true);
    found = pictures.paths.size();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main() {
    velnor::test::TempFolder tree("velnor-scan-bench");
    for (int t = 0; t < kTopFolders; ++t) {
        const auto top = tree.path() / ("year" + std::to_string(t));
        FillFolder(top);
        for (int s = 0; s < kSubfoldersEach; ++s) FillFolder(top / ("day" + std::to_string(s)));
    }
    const auto fileSystem = velnor::MakePlatformFileSystem();
    std::size_t found = 0;
    const double first = ScanSeconds(tree.path().string(), *fileSystem, found);
    double best = first;
    for (int run = 0; run < 5; ++run) {
        best = std::min(best, ScanSeconds(tree.path().string(), *fileSystem, found));
    }
    std::printf("folder scan: %zu pictures in %d folders: first %.3f s, best of 5 %.3f s\n", found,
                kTopFolders * (1 + kSubfoldersEach), first, best);
    velnor::SaverSettings settings;
    settings.pictureFolder = tree.path().string();
    settings.pictureKinds = {1, 1, 1, 1, 1};
    settings.includeSubfolders = 1;
    velnor::FolderPictureSource source(settings, velnor::MakePlatformFileSystem());
    double listing = 0;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        found = source.List().paths.size();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        listing = run == 0 ? seconds : std::min(listing, seconds);
    }
    std::printf("new listing with change watches: best of 5 %.3f s, %.2f times the bare scan\n",
                listing, listing / best);
    return found == static_cast<std::size_t>(kTopFolders * (1 + kSubfoldersEach) * kFilesEach) ? 0
                                                                                               : 1;
}
