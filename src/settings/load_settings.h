// LoadSettings: fills SaverSettings from the settings file once per process, including
// the folder test and the picture scan.
#pragma once

#include <filesystem>

#include "settings/file_system.h"
#include "settings/saver_settings.h"
#include "settings/text_encoding.h"

namespace velnor {

// Reads every key of `iniFile` into `settings` in the fixed order: presets, shape and ball
// keys, random flags and line colours, speed and scale, picture kinds, then the folder
// (converted from cp932 by `text`, tested and scanned through `fileSystem`), then the
// picture and sample keys. A missing
// or empty value takes the default; a value that is not a number or does not fit the
// field leaves the field as it was (zero in a fresh record). Never throws.
void LoadSettings(SaverSettings& settings, const std::filesystem::path& iniFile,
                  FileSystem& fileSystem, const TextEncoding& text);

// Lists settings.pictureFolder with the chosen kinds when it is there. One that is not
// there now (an unplugged disk, a share offline) stays stored, so the dialog shows it and
// saves it again; the saver then simply has no pictures from it.
void ScanStoredFolder(SaverSettings& settings, FileSystem& fileSystem);

}  // namespace velnor
