// An in-memory FileSystem for scan tests: folders with entries in a chosen order and
// attributes, plus injected failures (a file that vanishes, a listing that breaks off).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "settings/file_system.h"
#include "settings/picture_scan.h"
#include "settings/wildcard.h"

namespace velnor::test {

class FakeFileSystem final : public FileSystem {
  public:
    struct Entry {
        std::string name;
        int attributes = 0;
    };

    void Add(const std::string& folder, const std::string& name, int attributes) {
        folders[folder].push_back({name, attributes});
        attributesByPath[folder + kPathSeparator + name] = attributes;
    }

    FileListing ListMatching(std::string_view wildcardPath, bool includeDirectories) override {
        ++listings;
        const std::size_t cut = wildcardPath.find_last_of(kPathSeparator);
        const std::string folder(wildcardPath.substr(0, cut == std::string_view::npos ? 0 : cut));
        const std::string_view pattern = wildcardPath.substr(cut + 1);
        FileListing listing;
        const auto found = folders.find(folder);
        if (found == folders.end()) {
            listing.error = "path not found";
            return listing;
        }
        for (const Entry& entry : found->second) {
            if (breakAfter.count(folder) && listing.names.size() == breakAfter[folder]) {
                listing.error = "listing broke off";
                break;
            }
            if ((entry.attributes & (kAttributeHidden | kAttributeSystem)) != 0) continue;
            if ((entry.attributes & kAttributeDirectory) != 0 && !includeDirectories) continue;
            const auto shortName = shortNames.find(entry.name);
            if (WildcardMatch(pattern, entry.name) ||
                (shortName != shortNames.end() && WildcardMatch(pattern, shortName->second))) {
                listing.names.push_back(entry.name);
            }
        }
        return listing;
    }

    std::optional<int> AttributesOf(std::string_view path) override {
        const std::string key(path);
        if (vanished.count(key)) return std::nullopt;
        const auto found = attributesByPath.find(key);
        if (found == attributesByPath.end()) return std::nullopt;
        return found->second;
    }

    std::optional<std::string> FolderIdentity(std::string_view path) override {
        const auto found = identities.find(std::string(path));
        return found == identities.end() ? std::string(path) : found->second;
    }

    std::optional<std::string> LongNameOf(std::string_view path) override {
        const auto found = longNames.find(std::string(path));
        if (found == longNames.end()) return std::nullopt;
        return found->second;
    }

    std::map<std::string, std::vector<Entry>> folders;  // folder path -> entries in order
    std::map<std::string, std::string> identities;      // a link's path -> what it reaches
    std::map<std::string, int> attributesByPath;        // full path -> attributes
    std::set<std::string> vanished;                     // full paths whose attributes fail
    std::map<std::string, std::size_t> breakAfter;      // folder -> names before an error
    std::map<std::string, std::string> shortNames;      // name -> its 8.3 name, matched too
    std::map<std::string, std::string> longNames;       // a short path -> its long form
    int listings = 0;
};

}  // namespace velnor::test
