// The picture-folder scan: which files of the chosen folder (and, when asked, of its
// subfolders) become background pictures and in which order. Hidden, system and directory
// entries are left out; every other file of a chosen kind is listed, in passes by its attributes
// (none, archive only, read-only only, read-only and archive), each pass over the kinds bmp, gif,
// jpg, wmf, png; within a kind, by pattern and then in the file system's order. Also the folder
// test and two path helpers that the dialog uses as well.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/file_io.h"
#include "settings/file_system.h"
#include "settings/saver_settings.h"

namespace velnor {

// The attribute values of the passes, in scan order. A file is listed in the pass equal
// to its attributes, so hidden, system and directory entries are in none.
inline constexpr std::array<std::int16_t, 4> kScanPasses{0, kAttributeArchive, kAttributeReadOnly,
                                                         kAttributeReadOnly | kAttributeArchive};

// Name patterns of each picture kind, in the order of SaverSettings::pictureKinds. The
// JPEG kind takes every extension JPEG files carry.
inline constexpr std::string_view kBmpPatterns[] = {"*.bmp"};
inline constexpr std::string_view kGifPatterns[] = {"*.gif"};
inline constexpr std::string_view kJpegPatterns[] = {"*.jpg", "*.jpeg", "*.jpe", "*.jfif"};
inline constexpr std::string_view kWmfPatterns[] = {"*.wmf"};
inline constexpr std::string_view kPngPatterns[] = {"*.png"};
inline constexpr std::array<std::span<const std::string_view>, kPictureKindCount>
    kPictureKindPatterns{kBmpPatterns, kGifPatterns, kJpegPatterns, kWmfPatterns, kPngPatterns};

// The kinds' short names (as the native --kinds option takes them), in the same order.
inline constexpr std::array<std::string_view, kPictureKindCount> kPictureKindNames{
    "bmp", "gif", "jpg", "wmf", "png"};

inline constexpr std::int16_t kMaxPictureCount = 32767;

// Called after each file taken, with the number taken so far (never above
// kMaxPictureCount). Returns false to stop the whole listing.
using ListingProgress = std::function<bool(std::size_t count)>;

// What listing a folder's pictures found.
struct FolderPictures {
    std::vector<std::string> paths;    // full paths in list order, at most kMaxPictureCount
    std::size_t leftOut = 0;           // files of the chosen kinds beyond kMaxPictureCount
    std::vector<std::string> errors;   // each distinct error text once, in the order met
    bool stopped = false;              // the progress call asked to stop
    std::vector<std::string> folders;  // the folders listed, the chosen one first
};

// An empty folder text (or one of blanks only) names no folder: it exists for nobody,
// and nothing is listed from it, never the root of the current drive.
bool NamesNoFolder(std::string_view folder);

// `path` ending in the path separator. Trailing blanks stay: "C:\sp " and "C:\sp" are two
// folders.
std::string WithTrailingBackslash(std::string_view path);

// The folder part of `path`: up to its last ":", "\" or "/", without a final "\" or "/".
// "C:\pics\*.bmp" gives "C:\pics", "C:\*.bmp" and "C:*.bmp" give "C:", "x.bmp" gives "".
std::string DirectoryOf(std::string_view path);

// Whether listing the folder (with directories) returns any entry; false when it fails
// and when `folder` names no folder.
bool FolderExists(std::string_view folder, FileSystem& fileSystem);

// The pictures of `folder` for the kinds whose element of `pictureKinds` is 1, in list
// order (nothing when `folder` names no folder). Each pattern is listed once; a name is
// taken only when its own (long) name matches the pattern, so a file reached through its
// short name ("HOLIDA~1.JPE" of "holiday.jpeg") is listed once, under its own pattern. A file
// whose attributes cannot be read (it vanished) is skipped; a listing that fails ends that
// pattern; both are recorded in `errors` and the listing goes on. `withSubfolders` lists
// the tree depth first: a folder's own files, then each subfolder's tree in listing order;
// hidden and system folders are left out, a folder reached again (a link, junction or
// mount leading back) is listed once, and kMaxPictureCount holds for the whole tree.
FolderPictures ListFolderPictures(std::string_view folder, const PictureKindFlags& pictureKinds,
                                  FileSystem& fileSystem, const ListingProgress& progress = {},
                                  bool withSubfolders = false);

// Makes `found`'s paths the pictures of `list` and its leftOut the list's.
void TakeFolderPictures(FolderPictures found, PictureList& list);

// Rebuilds `list` from ListFolderPictures; `leftOut` tells how many files did not fit.
void ScanPictureFolder(std::string_view folder, const PictureKindFlags& pictureKinds,
                       PictureList& list, FileSystem& fileSystem, bool withSubfolders = false);

}  // namespace velnor
