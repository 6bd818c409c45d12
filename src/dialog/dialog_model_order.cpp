// The dialog model's list order: a listing is shown in the order chosen (画像の順序), the
// pictures' dates read once per listing for the date order while the view serves its
// messages, so the dialog answers through a folder of thousands of pictures.
#include "dialog/dialog_model.h"

namespace velnor {

void DialogModel::ClearListing() {
    listed_.clear();
    dates_.clear();
    ++listingNumber_;
    selectedPath_.reset();
    ShowLines({});
}

void DialogModel::SelectLine(std::size_t index) {
    if (index >= linePaths_.size()) return;
    selectedPath_ = linePaths_[index];
    selectedLine_ = index;
}

// The lines of `pictures`, the selected picture's among them.
void DialogModel::ShowLines(const std::vector<ListedPicture>& pictures) {
    listLines_.clear();
    linePaths_.clear();
    selectedLine_.reset();
    listLines_.reserve(pictures.size());
    linePaths_.reserve(pictures.size());
    for (const ListedPicture& picture : pictures) {
        if (!selectedLine_ && picture.path == selectedPath_) selectedLine_ = listLines_.size();
        listLines_.push_back(picture.line);
        linePaths_.push_back(picture.path);
    }
    Notify(kListChanged);
}

// A new listing. For the date order its lines show as listed while the dates are read;
// the stored list's dates wait for ShowLoadedListInOrder.
void DialogModel::ShowListing(std::vector<ListedPicture> listed) {
    listed_ = std::move(listed);
    dates_.clear();
    ++listingNumber_;
    if (static_cast<PictureOrder>(draft_.pictureOrder) == PictureOrder::kDate) {
        ShowLines(listed_);
        if (loadingList_) return;
    }
    ArrangeList();
}

void DialogModel::ShowLoadedListInOrder() {
    if (!listArranged_) ArrangeList();
}

// Reads the dates of the listing not read yet. kChanged when, while the view served its
// messages, another order was chosen or another listing came.
DialogModel::DatesRead DialogModel::ReadDates() {
    const std::uint64_t listing = listingNumber_;
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        if (dates_.contains(listed_[i].path)) continue;
        std::optional<std::int64_t> date = dateReading_.dateOf(listed_[i].path);
        dates_.emplace(listed_[i].path, date);
        if (!dateReading_.keepGoing()) return DatesRead::kStopped;
        if (listing != listingNumber_ ||
            static_cast<PictureOrder>(draft_.pictureOrder) != PictureOrder::kDate) {
            return DatesRead::kChanged;
        }
    }
    return DatesRead::kAll;
}

// Shows the listing in the order chosen. A call while it runs (from a message it served)
// returns at once: the running one takes up the new order or listing when it gets back.
// A stop while dates are read leaves the lines as they were.
void DialogModel::ArrangeList() {
    if (arranging_) return;
    arranging_ = true;
    listArranged_ = true;
    for (;;) {
        const auto order = static_cast<PictureOrder>(draft_.pictureOrder);
        const std::uint64_t listing = listingNumber_;
        if (order == PictureOrder::kDate) {
            const DatesRead read = ReadDates();
            if (read == DatesRead::kStopped) break;
            if (read == DatesRead::kChanged) continue;
        }
        ShowLines(InListOrder(listed_, order, [this](const std::string& path) {
            const auto date = dates_.find(path);
            return date == dates_.end() ? std::nullopt : date->second;
        }));
        // The view serves messages while it fills the list; a click met there counts too.
        if (order == static_cast<PictureOrder>(draft_.pictureOrder) && listing == listingNumber_) {
            break;
        }
    }
    arranging_ = false;
}

}  // namespace velnor
