// Picture-folder scan and its path helpers.
#include "settings/picture_scan.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>

#include "settings/wildcard.h"

namespace velnor {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The files taken so far, one bucket per pass. A bucket never holds more than the list
// can, since a pass's files beyond that could never be listed; they are only counted.
class PassBuckets {
  public:
    // Whether the file was taken (false when it only counts as left out).
    bool Take(std::size_t pass, std::string path) {
        std::vector<std::string>& bucket = buckets_[pass];
        if (bucket.size() >= static_cast<std::size_t>(kMaxPictureCount)) {
            ++beyondBuckets_;
            return false;
        }
        bucket.push_back(std::move(path));
        ++taken_;
        return true;
    }

    std::size_t taken() const { return taken_; }

    // The buckets in pass order appended to the list, which stays within its limit; the
    // files beyond it are counted as left out.
    void MoveInto(FolderPictures& out) {
        const auto limit = static_cast<std::size_t>(kMaxPictureCount);
        const std::size_t before = out.paths.size();
        for (std::vector<std::string>& bucket : buckets_) {
            for (std::string& path : bucket) {
                if (out.paths.size() < limit) out.paths.push_back(std::move(path));
            }
        }
        out.leftOut += taken_ - (out.paths.size() - before) + beyondBuckets_;
    }

  private:
    std::array<std::vector<std::string>, kScanPasses.size()> buckets_;
    std::size_t taken_ = 0;
    std::size_t beyondBuckets_ = 0;
};

std::optional<std::size_t> PassOf(int attributes) {
    const auto* found = std::find(kScanPasses.begin(), kScanPasses.end(), attributes);
    if (found == kScanPasses.end()) return std::nullopt;
    return static_cast<std::size_t>(found - kScanPasses.begin());
}

void NoteError(FolderPictures& out, std::string error) {
    if (std::find(out.errors.begin(), out.errors.end(), error) == out.errors.end()) {
        out.errors.push_back(std::move(error));
    }
}

// Takes the files of one pattern into their passes' buckets; false when `progress` stops.
// The count given to `progress` adds the files already listed from other folders.
bool ListPattern(std::string_view folder, std::string_view pattern, PassBuckets& buckets,
                 FolderPictures& out, FileSystem& fileSystem, const ListingProgress& progress) {
    const std::string prefix = std::string(folder) + kPathSeparator;
    const std::size_t listed = out.paths.size();
    bool stopAsked = false;
    const auto poll = [&] {
        const std::size_t count = std::min<std::size_t>(listed + buckets.taken(), kMaxPictureCount);
        if (progress && !progress(count)) stopAsked = true;
    };
    const FileListing listing = fileSystem.ListMatchingPolled(
        prefix + std::string(pattern), false, progress ? poll : std::function<void()>{});
    if (stopAsked) return false;
    for (const std::string& name : listing.names) {
        if (!WildcardMatch(pattern, name)) continue;  // matched by its short name only
        std::string path = prefix + name;
        const std::optional<int> attributes = fileSystem.AttributesOf(path);
        if (!attributes) {
            NoteError(out, "ファイルが見つかりません。");
            continue;
        }
        const std::optional<std::size_t> pass = PassOf(*attributes);
        if (!pass || !buckets.Take(*pass, std::move(path))) continue;
        if (progress &&
            !progress(std::min<std::size_t>(listed + buckets.taken(), kMaxPictureCount))) {
            return false;
        }
    }
    if (listing.error) NoteError(out, *listing.error);
    return true;
}

// The pictures of one folder, appended to `out` in pass order; sets `out.stopped` when
// `progress` stops.
void ListOneFolder(std::string_view folder, const PictureKindFlags& pictureKinds,
                   FileSystem& fileSystem, const ListingProgress& progress, FolderPictures& out) {
    PassBuckets buckets;
    for (std::size_t kind = 0; kind < kPictureKindPatterns.size() && !out.stopped; ++kind) {
        if (pictureKinds[kind] != 1) continue;
        for (const std::string_view pattern : kPictureKindPatterns[kind]) {
            if (!ListPattern(folder, pattern, buckets, out, fileSystem, progress)) {
                out.stopped = true;
                break;
            }
        }
    }
    buckets.MoveInto(out);
}

// The subfolders of `folder` in listing order, leaving out hidden and system ones (the
// listing never gives them) and any folder already `seen` by its identity: a link, a
// junction or a mount that leads back into the tree is followed at most once.
std::vector<std::string> SubfoldersOf(std::string_view folder, FileSystem& fileSystem,
                                      std::set<std::string>& seen, FolderPictures& out) {
    const std::string prefix = std::string(folder) + kPathSeparator;
    const FileListing listing = fileSystem.ListMatching(prefix + "*", true);
    if (listing.error) NoteError(out, *listing.error);
    std::vector<std::string> subfolders;
    for (const std::string& name : listing.names) {
        if (name == "." || name == "..") continue;
        std::string path = prefix + name;
        const std::optional<int> attributes = fileSystem.AttributesOf(path);
        if (!attributes || (*attributes & kAttributeDirectory) == 0 ||
            (*attributes & (kAttributeHidden | kAttributeSystem)) != 0) {
            continue;
        }
        const std::optional<std::string> identity = fileSystem.FolderIdentity(path);
        if (!identity || !seen.insert(*identity).second) continue;
        subfolders.push_back(std::move(path));
    }
    return subfolders;
}

}  // namespace

bool NamesNoFolder(std::string_view folder) {
    return folder.find_first_not_of(' ') == std::string_view::npos;
}

std::string WithTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != kPathSeparator) out += kPathSeparator;
    return out;
}

std::string DirectoryOf(std::string_view path) {
    const std::size_t last = path.find_last_of(":\\/");
    if (last == std::string_view::npos) return {};
    std::string_view folder = path.substr(0, last + 1);
    if (IsSeparator(folder.back())) folder.remove_suffix(1);
    return std::string(folder);
}

bool FolderExists(std::string_view folder, FileSystem& fileSystem) {
    if (NamesNoFolder(folder)) return false;
    const std::string everything = WithTrailingBackslash(folder) + "*.*";
    return !fileSystem.ListMatching(everything, true).names.empty();
}

FolderPictures ListFolderPictures(std::string_view folder, const PictureKindFlags& pictureKinds,
                                  FileSystem& fileSystem, const ListingProgress& progress,
                                  bool withSubfolders) {
    FolderPictures out;
    if (NamesNoFolder(folder)) return out;
    // Depth first without recursion, so that no depth of folders can exhaust the stack.
    std::vector<std::string> pending{std::string(folder)};
    std::set<std::string> seen;
    if (withSubfolders) {
        if (const auto identity = fileSystem.FolderIdentity(folder)) seen.insert(*identity);
    }
    while (!pending.empty() && !out.stopped) {
        const std::string current = std::move(pending.back());
        pending.pop_back();
        out.folders.push_back(current);
        ListOneFolder(current, pictureKinds, fileSystem, progress, out);
        if (!withSubfolders || out.stopped) continue;
        std::vector<std::string> subfolders = SubfoldersOf(current, fileSystem, seen, out);
        pending.insert(pending.end(), std::make_move_iterator(subfolders.rbegin()),
                       std::make_move_iterator(subfolders.rend()));
    }
    return out;
}

void TakeFolderPictures(FolderPictures found, PictureList& list) {
    list.paths = std::move(found.paths);
    list.scanAttribute = kScanPasses.back();
    list.leftOut = static_cast<std::int32_t>(std::min<std::size_t>(found.leftOut, INT32_MAX));
}

void ScanPictureFolder(std::string_view folder, const PictureKindFlags& pictureKinds,
                       PictureList& list, FileSystem& fileSystem, bool withSubfolders) {
    TakeFolderPictures(ListFolderPictures(folder, pictureKinds, fileSystem, {}, withSubfolders),
                       list);
}

}  // namespace velnor
