// The platform's real file system with a record of every wildcard listing asked of it, so
// a test can tell that a scan never listed a folder (such as the file system's root).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "settings/file_system.h"

namespace velnor::test {

class RecordingFileSystem final : public FileSystem {
  public:
    FileListing ListMatching(std::string_view wildcardPath, bool includeDirectories) override {
        listed.emplace_back(wildcardPath);
        return real_->ListMatching(wildcardPath, includeDirectories);
    }
    std::optional<int> AttributesOf(std::string_view path) override {
        return real_->AttributesOf(path);
    }

    std::vector<std::string> listed;  // every wildcard path, in the order asked

  private:
    std::unique_ptr<FileSystem> real_ = MakePlatformFileSystem();
};

}  // namespace velnor::test
