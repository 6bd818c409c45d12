// The picture-folder scan: which files of the chosen folder become background pictures
// and in which order. Three passes (no attribute, archive only, read-only only), each
// over the kinds bmp, gif, jpg, wmf that are switched on; within a kind, the file system's
// order. Also the folder test and two path helpers that the dialog uses as well.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/file_io.h"
#include "settings/file_system.h"
#include "settings/saver_settings.h"

namespace velnor {

// The attribute values of the three passes, in scan order.
inline constexpr std::array<std::int16_t, 3> kScanPasses{0, kAttributeArchive, kAttributeReadOnly};
// Name patterns of the picture kinds, in the order of SaverSettings::pictureKinds.
inline constexpr std::array<std::string_view, 4> kPictureKindPatterns{"*.bmp", "*.gif", "*.jpg",
                                                                      "*.wmf"};
inline constexpr std::int16_t kMaxPictureCount = 32767;

// An empty folder text (or one of blanks only) names no folder: it exists for nobody,
// and nothing is listed from it, never the root of the current drive.
bool NamesNoFolder(std::string_view folder);

// `path` without trailing blanks and ending in the path separator.
std::string WithTrailingBackslash(std::string_view path);

// The folder part of `path`: up to its last ":", "\" or "/", without a final "\" or "/".
// "C:\pics\*.bmp" gives "C:\pics", "C:\*.bmp" and "C:*.bmp" give "C:", "x.bmp" gives "".
std::string DirectoryOf(std::string_view path);

// Whether listing the folder (with directories) returns any entry; false when it fails
// and when `folder` names no folder.
bool FolderExists(std::string_view folder, FileSystem& fileSystem);

// Appends to `list` every file matching `pattern` whose attributes equal `attribute`
// exactly, as DirectoryOf(pattern) + separator + name. Any error (unreadable folder,
// vanished file, list already holding kMaxPictureCount entries) ends this pattern; what was
// added stays. Returns the error text, or nothing when the pattern was listed to its end.
std::optional<std::string> ListMatchingFiles(std::string_view pattern, std::int16_t attribute,
                                             PictureList& list, FileSystem& fileSystem);

// Rebuilds `list` from `folder` for the kinds whose element of `pictureKinds` is 1
// (nothing when `folder` names no folder). pictureCount restarts at 0; each addition sizes
// picturePaths to exactly 0..pictureCount, so a scan that finds nothing leaves the old paths beyond
// the count.
void ScanPictureFolder(std::string_view folder, const std::array<std::int16_t, 4>& pictureKinds,
                       PictureList& list, FileSystem& fileSystem);

}  // namespace velnor
