// The dialog's own listing of a picture folder ("背景画像をﾌｫﾙﾀﾞで指定..."): the picture
// scan's three attribute passes and kind order, collected into the dialog's list with a
// progress call after every file found and each distinct error handed over once.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/file_system.h"

namespace velnor {

// Called after each file added, with the number of files found so far. Returns false to
// stop the whole listing (the dialog is closing).
using ListingProgress = std::function<bool(std::size_t count)>;

// Called with the text of an error met while listing. Each distinct text is reported at
// most once per folder listing, so an unreadable folder gives one message, not twelve.
using ListingError = std::function<void(const std::string& message)>;

// Appends to `dialogFiles` every file matching `pattern` whose attributes equal
// `attribute` exactly, as DirectoryOf(pattern) + separator + name. A file whose
// attributes cannot be read (it vanished) is skipped and the listing goes on with the
// next name; the list never grows beyond kMaxPictureCount entries. Returns the errors
// met, in order; `stopped` is set when `progress` asked to stop.
std::vector<std::string> ListFolderFiles(std::string_view pattern, std::int16_t attribute,
                                         std::vector<std::string>& dialogFiles,
                                         FileSystem& fileSystem, const ListingProgress& progress,
                                         bool& stopped);

// The three passes (no attribute, archive only, read-only only), each over the kinds
// bmp, gif, jpg, wmf whose element of `pictureKinds` is 1, for `folder` (none when it
// names no folder, such as a cancelled browse). `scanAttribute` holds the running pass's
// value. Returns the full paths found in listing order.
std::vector<std::string> ListDialogFolder(std::string_view folder,
                                          const std::array<std::int16_t, 4>& pictureKinds,
                                          std::int16_t& scanAttribute, FileSystem& fileSystem,
                                          const ListingProgress& progress,
                                          const ListingError& onError);

// The name of a file without its folder (after the last "\", "/" or ":").
std::string FileNamePart(std::string_view path);

}  // namespace velnor
