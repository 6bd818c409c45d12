// The saver's picture source on the platform it runs on (built into each platform's program).
#include "settings/picture_source.h"

namespace velnor {

std::unique_ptr<PictureSource> MakePlatformPictureSource(const SaverSettings& settings) {
    return std::make_unique<FolderPictureSource>(settings, MakePlatformFileSystem());
}

}  // namespace velnor
