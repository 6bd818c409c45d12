// The chosen folder's pictures as they are now: listed again while the saver runs, with
// the file system's word on whether the folder changed since, so that pictures copied in
// are shown and deleted ones are dropped without a restart.
#pragma once

#include <memory>
#include <string>

#include "settings/file_system.h"
#include "settings/saver_settings.h"

namespace velnor {

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // A new list of the folder's pictures, made as at the start (a folder that is gone
    // gives an empty list).
    virtual PictureList List() = 0;
    // Whether the folder was seen to change since the last call. Never blocks; false when
    // the platform gives no notifications.
    virtual bool TakeChange() = 0;
};

class FolderPictureSource final : public PictureSource {
  public:
    // Lists `settings`' picture folder with its kinds and subfolder choice, through
    // `fileSystem`. Makes no listing and no watch yet: both happen on the caller's thread
    // at the first List or TakeChange.
    FolderPictureSource(const SaverSettings& settings, std::unique_ptr<FileSystem> fileSystem);

    PictureList List() override;
    bool TakeChange() override;

  private:
    std::string folder_;
    PictureKindFlags kinds_;
    bool withSubfolders_;
    std::unique_ptr<FileSystem> fileSystem_;
    std::unique_ptr<FolderWatch> watch_;
    bool watchTried_ = false;  // a watch was asked for (and may have been refused)
};

// A FolderPictureSource on the running platform's file system.
std::unique_ptr<PictureSource> MakePlatformPictureSource(const SaverSettings& settings);

}  // namespace velnor
