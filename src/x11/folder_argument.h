// The picture folder as the daemon's settings program and its users give it. Neither the
// preview nor the daemon runs a shell, so a leading "~" arrives as it was typed; the
// settings program's chooser picks files, so a file stands for the folder that holds it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/file_system.h"
#include "settings/saver_settings.h"

namespace velnor {

// `given` with a leading "~" or "~/" replaced by `home` (left as it is when `home` is empty,
// and for "~name"); then, when it names an existing file rather than a folder, the folder
// that holds that file.
std::string ResolveFolderArgument(std::string_view given, std::string_view home,
                                  FileSystem& fileSystem);

// The settings file's folder by the same rules as --folder (ResolveFolderArgument), listed
// again when that changed it.
void ResolveStoredFolder(SaverSettings& settings, std::string_view home, FileSystem& fileSystem);

// Why `folder` cannot be listed, as the end of a sentence that names it: " is a file, not
// a folder", " does not exist" (with the file that stands in its path, if any), " cannot
// be reached (no permission to look into '<parent>')" or " cannot be read (<reason>)".
// Nothing when it can be listed.
std::optional<std::string> FolderTrouble(const std::string& folder, FileSystem& fileSystem);

// When the settings ask for the pictures of a folder (useSample 0, a folder named) but
// none was listed: one line saying why the background stays black, naming `givenFolder`
// (the folder of the command line, if any). Nothing when a sample or a folder picture will
// be shown, nor when no folder is named at all.
std::optional<std::string> FolderBackgroundNote(const SaverSettings& settings,
                                                const std::optional<std::string>& givenFolder,
                                                FileSystem& fileSystem);

}  // namespace velnor
