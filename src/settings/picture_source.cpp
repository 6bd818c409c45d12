#include "settings/picture_source.h"

#include <utility>

#include "settings/picture_scan.h"

namespace velnor {

FolderPictureSource::FolderPictureSource(const SaverSettings& settings,
                                         std::unique_ptr<FileSystem> fileSystem)
    : folder_(settings.pictureFolder),
      kinds_(settings.pictureKinds),
      withSubfolders_(settings.includeSubfolders == 1),
      fileSystem_(std::move(fileSystem)) {}

PictureList FolderPictureSource::List() {
    PictureList list;
    if (!FolderExists(folder_, *fileSystem_)) return list;
    FolderPictures found = ListFolderPictures(folder_, kinds_, *fileSystem_, {}, withSubfolders_);
    // The watch follows the tree as it is now, subfolders made since included.
    watch_ = fileSystem_->WatchFolders(found.folders, withSubfolders_);
    watchTried_ = true;
    TakeFolderPictures(std::move(found), list);
    return list;
}

bool FolderPictureSource::TakeChange() {
    if (!watchTried_) {
        // Until the first new listing only the chosen folder itself is known.
        watchTried_ = true;
        if (!NamesNoFolder(folder_)) watch_ = fileSystem_->WatchFolders({folder_}, withSubfolders_);
        return false;
    }
    return watch_ && watch_->TakeChange();
}

}  // namespace velnor
