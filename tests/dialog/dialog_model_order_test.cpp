// The dialog's picture list in the order chosen (画像の順序): each order over one listing,
// the order loaded, clicks on the order squares, and the date order's reading, which serves
// the view's messages and takes up what a served message changed.
#include <gtest/gtest.h>

#include "dialog_model_fixture.h"

namespace velnor {
namespace {

using namespace control_id;
using namespace dialog_test;

using Lines = std::vector<std::string>;

// Three pictures listed as IMG_10.png, img_2.png, IMG_1.png, each with a date of its own
// (img_2 has none). `dateReads` counts the dates read.
struct NumberedFolder {
    int dateReads = 0;
    DateReading Dates(std::function<bool()> keepGoing = [] { return true; }) {
        return {[this](const std::string& path) -> std::optional<std::int64_t> {
                    ++dateReads;
                    if (path == In("IMG_10.png")) return 100;
                    if (path == In("IMG_1.png")) return 200;
                    return std::nullopt;
                },
                std::move(keepGoing)};
    }
};

void AddNumbered(FakeFileSystem& fs) {
    fs.Add(kPics, ".", kAttributeDirectory);
    for (const char* name : {"IMG_10.png", "img_2.png", "IMG_1.png"}) fs.Add(kPics, name, 0);
}

const Lines kListed{"IMG_10.png", "img_2.png", "IMG_1.png"};
const Lines kByName{"IMG_1.png", "img_2.png", "IMG_10.png"};
const Lines kByDate{"IMG_10.png", "IMG_1.png", "img_2.png"};

// Catches the list staying in scan order (or sorted by bytes) while the saver follows the
// order, an order square that stores its value but leaves the lines, a return to "標準"
// that keeps the sorted order, and a line's thumbnail showing another picture.
TEST(DialogListOrder, ListingsAndOrderClicksShowTheSaversOrder) {
    NumberedFolder folder;
    Dialog d(Defaults(), folder.Dates());
    AddNumbered(d.fs);
    d.model.Click(kNameOrder);
    ASSERT_EQ(d.model.ChooseFolder(
                  kPics, [] { return true; }, nullptr),
              FolderChoice::kListed);
    EXPECT_EQ(d.model.listLines(), kByName);
    EXPECT_EQ(d.model.Text(kPictureCountField), "3");
    for (const auto& [square, lines] :
         std::vector<std::pair<int, Lines>>{{kDateOrder, kByDate},
                                            {kShuffledOrderCaption, kListed},  // no fixed order
                                            {kNameOrderCaption, kByName},
                                            {kListedOrderCaption, kListed},
                                            {kDateOrder, kByDate}}) {
        d.changes.clear();
        ASSERT_TRUE(d.model.Click(square));
        EXPECT_EQ(d.model.listLines(), lines) << square;
        EXPECT_EQ(d.model.PicturePathOfLine(0), In(lines[0])) << square;
        EXPECT_TRUE(d.changes.back() & kListChanged) << "the view is told of the new lines";
    }
    EXPECT_EQ(folder.dateReads, 3) << "each picture's date is read once per listing";
    d.model.Click(kPngKind);  // a new listing (no picture left) reads no date
    d.model.Click(kPngKind);
    EXPECT_EQ(d.model.listLines(), kByDate);
    EXPECT_EQ(folder.dateReads, 6) << "a new listing reads the dates again";
    EXPECT_EQ(d.Written()["画像の順序"], " 2");
}

// Catches the selection left on a line that now names another picture (its thumbnail no
// longer the selected line's) when the order changes or the folder is listed again.
TEST(DialogListOrder, TheSelectedPictureStaysSelectedWhereverItsLineGoes) {
    NumberedFolder folder;
    Dialog d(Defaults(), folder.Dates());
    AddNumbered(d.fs);
    d.fs.Add(kPics, "a.gif", 0);
    ASSERT_EQ(d.model.ChooseFolder(
                  kPics, [] { return true; }, nullptr),
              FolderChoice::kListed);
    EXPECT_FALSE(d.model.selectedLine());
    d.model.SelectLine(3);  // IMG_1.png, after a.gif, IMG_10.png and img_2.png
    d.model.SelectLine(9);  // no such line: the selection stays
    for (const auto& [click, line] : std::vector<std::pair<int, std::optional<std::size_t>>>{
             {kNameOrder, 1}, {kListedOrder, 3}, {kGifKind, 2}, {kDateOrder, 1}, {kPngKind, {}}}) {
        d.model.Click(click);
        EXPECT_EQ(d.model.selectedLine(), line) << click;
    }
    d.model.Click(kPngKind);
    EXPECT_EQ(d.model.selectedLine(), 1u) << "listed again, it is selected again";
    ASSERT_EQ(d.model.ChooseFolder(
                  kPics, [] { return true; }, nullptr),
              FolderChoice::kListed);
    EXPECT_FALSE(d.model.selectedLine()) << "a chosen folder starts without a selection";
}

// Catches the stored list shown in scan order at the load, and a picture of a subfolder
// shown by its file name only, because the lines were made before the folder was loaded.
TEST(DialogListOrder, TheStoredListShowsInTheStoredOrderUnderTheStoredFolder) {
    SaverSettings s = Defaults();
    s.pictureFolder = kPics;
    s.pictureOrder = 1;
    s.pictures.paths = {In("b10.bmp"), In("sub\\b9.bmp"), In("gone.bmp"), In("B2.bmp")};
    Dialog d;
    AddPictures(d.fs);
    for (const char* name : {"b10.bmp", "B2.bmp", "sub\\b9.bmp"}) d.fs.Add(kPics, name, 0);
    d.model.Load(s);
    EXPECT_EQ(d.model.listLines(), (Lines{"B2.bmp", "b10.bmp", "", "sub\\b9.bmp"}))
        << "a stored picture that no longer exists keeps its empty line, in its name's place";
    EXPECT_EQ(d.model.PicturePathOfLine(3), In("sub\\b9.bmp"));
    s.pictureOrder = 0;
    d.model.Load(s);
    EXPECT_EQ(d.model.listLines(), (Lines{"b10.bmp", "sub\\b9.bmp", "", "B2.bmp"}));
}

// Catches the dates of a large stored list read before the dialog shows (it opens only
// when all are read), and the date order never shown after the load.
TEST(DialogListOrder, TheStoredListsDatesAreReadOnceTheDialogShows) {
    SaverSettings s = Defaults();
    s.pictureFolder = kPics;
    s.pictureOrder = 2;
    s.pictures.paths = {In("IMG_10.png"), In("img_2.png"), In("IMG_1.png")};
    NumberedFolder folder;
    Dialog d(Defaults(), folder.Dates());
    AddNumbered(d.fs);
    d.model.Load(s);
    EXPECT_EQ(d.model.listLines(), kListed);
    EXPECT_EQ(folder.dateReads, 0);
    d.model.ShowLoadedListInOrder();
    EXPECT_EQ(d.model.listLines(), kByDate);
    d.model.ShowLoadedListInOrder();
    EXPECT_EQ(folder.dateReads, 3) << "once shown in order, it stays so";
}

// Catches a click served while dates are read being lost (the reading's order wins), a new
// listing then sorted with the old one's lines, and a dialog closing meanwhile that waits
// for every date or leaves a half-made list.
TEST(DialogListOrder, ReadingDatesServesMessagesAndTakesUpWhatTheyChanged) {
    NumberedFolder folder;
    std::function<void()> served;  // what the view does when it serves its messages
    bool closing = false;
    Dialog d(Defaults(), folder.Dates([&] {
        if (served) std::exchange(served, nullptr)();
        return !closing;
    }));
    AddNumbered(d.fs);
    ASSERT_EQ(d.model.ChooseFolder(
                  kPics, [] { return true; }, nullptr),
              FolderChoice::kListed);

    served = [&] { d.model.Click(kNameOrder); };  // the user clicks "名前" meanwhile
    d.model.Click(kDateOrder);
    EXPECT_EQ(d.model.listLines(), kByName);
    EXPECT_EQ(folder.dateReads, 1) << "the reading stops at the click";

    d.fs.Add(kPics, "IMG_0.png", 0);  // a new listing comes while the dates are read
    served = [&] { d.model.Click(kGifKind); };
    d.model.Click(kDateOrder);
    EXPECT_EQ(d.model.listLines(), (Lines{"IMG_10.png", "IMG_1.png", "IMG_0.png", "img_2.png"}));

    d.model.Click(kListedOrder);
    closing = true;
    d.model.Click(kGifKind);  // the dialog closes while the dates of a new listing are read
    d.model.Click(kDateOrder);
    EXPECT_EQ(d.model.listLines(), (Lines{"IMG_10.png", "img_2.png", "IMG_1.png", "IMG_0.png"}))
        << "a stopped reading leaves the lines as they were";
}

}  // namespace
}  // namespace velnor
