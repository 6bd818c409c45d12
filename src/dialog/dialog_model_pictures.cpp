// The dialog model's picture-source rules: which folder path the settings file can hold,
// the folder listing with its climbing count, kind toggles that rescan, the stored list
// and the picture lines' paths.
#include "dialog/dialog_model.h"

#include <algorithm>
#include <string>

#include "dialog/control_ids.h"
#include "dialog/thumbnail.h"
#include "settings/picture_scan.h"
#include "settings/settings_table.h"
#include "settings/utf16_text.h"

namespace velnor {

using namespace control_id;

std::optional<std::string> StorableFolderPath(std::string_view path) {
    const bool oneLine = path.find_first_of(std::string_view("\r\n\0", 3)) == path.npos;
    if (!oneLine || !IsValidUtf8(path)) return std::nullopt;
    return std::string(path);
}

// Lines for the stored picture list: each picture's name, or an empty line for one
// that no longer exists. The count shows only when there is a list.
void DialogModel::FillListFromPictures() {
    std::vector<ListedPicture> listed;
    const PictureList& pictures = draft_.pictures;
    for (const std::string& path : pictures.paths) {
        listed.push_back({path, fileSystem_.AttributesOf(path)
                                    ? NameUnderFolder(path, draft_.pictureFolder)
                                    : std::string{}});
    }
    ShowListing(std::move(listed));
    if (!pictures.paths.empty()) ShowListCount();
}

// The stored list at load. A stored folder that is not there now (its drive is absent)
// stays in the folder path, marked, with the count 0.
void DialogModel::LoadPictureList() {
    loadingList_ = true;
    listArranged_ = false;
    FillListFromPictures();
    loadingList_ = false;
    leftOut_ = static_cast<std::size_t>(std::max(draft_.pictures.leftOut, 0));
    folderMissing_ =
        !NamesNoFolder(shown_.pictureFolder) && !FolderExists(shown_.pictureFolder, fileSystem_);
    if (folderMissing_) ShowListCount();
}

std::optional<std::string> DialogModel::LeftOutNotice() const {
    if (leftOut_ == 0) return std::nullopt;
    return LeftOutMessage(listLines_.size(), leftOut_);
}

std::optional<Notice> DialogModel::NoticeAfter(FolderChoice choice) const {
    if (choice == FolderChoice::kNameNotStorable) {
        return Notice{std::string(kFolderNameNotStorableText), NoticeKind::kWarning};
    }
    const std::optional<std::string> leftOut = LeftOutNotice();
    if (choice != FolderChoice::kListed || !leftOut) return std::nullopt;
    return Notice{*leftOut, NoticeKind::kInformation};
}

void DialogModel::ShowListCount() {
    SetText(kPictureCountField, std::to_string(listLines_.size()));
}

// Toggles a kind and, when the folder shown exists, lists it again with the new kinds.
void DialogModel::ClickKind(const SettingRow& kind) {
    SetNumber(kind, draft_, NumberOf(kind, draft_) != 0 ? 0 : 1);
    ShowSquare();
    ListFolderAgain();
}

// Lists the folder shown again, when it exists, with the kinds and subfolder choice now set.
void DialogModel::ListFolderAgain() {
    if (!FolderExists(draft_.pictureFolder, fileSystem_)) return;
    folderMissing_ = false;
    ScanPictureFolder(draft_.pictureFolder, draft_.pictureKinds, draft_.pictures, fileSystem_,
                      draft_.includeSubfolders == 1);
    leftOut_ = static_cast<std::size_t>(std::max(draft_.pictures.leftOut, 0));
    FillListFromPictures();
    ShowListCount();  // also when the scan found nothing, which the fill leaves blank
}

FolderChoice DialogModel::ChooseFolder(std::string_view chosen,
                                       const std::function<bool()>& keepGoing,
                                       const ListingError& onError) {
    const std::optional<std::string> storable = StorableFolderPath(chosen);
    if (!storable) return FolderChoice::kNameNotStorable;
    const std::string& path = *storable;
    storedFolder_.reset();
    SetText(kFolderPath, path);
    folderMissing_ = false;
    // The old lines go before the listing starts, so they never show under the new path.
    ClearListing();
    leftOut_ = 0;
    listing_ = true;
    // The climbing count is set quietly; the view shows it when it serves messages.
    FolderPictures found = ListFolderPictures(
        path, draft_.pictureKinds, fileSystem_,
        [&](std::size_t count) {
            countText_ = std::to_string(count);
            return keepGoing();
        },
        draft_.includeSubfolders == 1);
    draft_.pictures.scanAttribute = kScanPasses.back();
    listing_ = false;
    if (onError) {
        for (const std::string& error : found.errors) onError(error);
    }
    if (found.stopped) return FolderChoice::kStopped;
    std::vector<ListedPicture> listed;
    listed.reserve(found.paths.size());
    for (std::string& file : found.paths) {
        std::string line = NameUnderFolder(file, path);
        listed.push_back({std::move(file), std::move(line)});
    }
    leftOut_ = found.leftOut;
    ShowListing(std::move(listed));
    ShowListCount();
    return FolderChoice::kListed;
}

void DialogModel::ShowLoadedFolderAs(std::string_view longName) {
    if (longName == draft_.pictureFolder) return;
    if (!storedFolder_) storedFolder_ = draft_.pictureFolder;
    SetText(kFolderPath, std::string(longName));
}

void DialogModel::ShowPictureSize(int width, int height) {
    SetText(kPictureSizeText, PictureSizeText(width, height));
}

std::string DialogModel::PicturePathOfLine(std::size_t index) const {
    if (index >= listLines_.size()) return {};
    return Text(kFolderPath) + kPathSeparator + listLines_[index];
}

}  // namespace velnor
