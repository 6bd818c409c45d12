// The settings dialog's picture-source rules without windows: kind toggles and folder
// listings through a fake file system, and the storable folder path.
#include <gtest/gtest.h>

#include "dialog_model_fixture.h"
#include "settings/picture_scan.h"

namespace velnor {
namespace {

using namespace control_id;
using namespace dialog_test;

TEST(DialogModel, KindTogglesRescanAnExistingFolderAndLeaveTheListOtherwise) {
    SaverSettings s = Defaults();
    s.pictureFolder = kPics;
    s.pictures.paths = {In("a.bmp"), In("gone.bmp")};
    Dialog d;
    AddPictures(d.fs);
    d.model.Load(s);
    EXPECT_EQ(d.model.listLines(), (std::vector<std::string>{"a.bmp", ""}))
        << "a stored picture that no longer exists shows as an empty line";
    EXPECT_EQ(d.model.Text(kPictureCountField), "2");
    ASSERT_TRUE(d.model.Click(kGifKindCaption));
    EXPECT_EQ(d.model.SquareSelected(kGifKind), false);
    EXPECT_EQ(d.model.listLines(), (std::vector<std::string>{"a.bmp", "c.jpg"}));
    for (const int id : {kBmpKind, kJpegKind}) d.model.Click(id);
    EXPECT_TRUE(d.model.listLines().empty());
    EXPECT_EQ(d.model.Text(kPictureCountField), "0");
    EXPECT_EQ(d.Written()["画像種類_0"], " 0");

    d.model.Click(kBmpKind);
    ASSERT_EQ(d.model.listLines(), std::vector<std::string>{"a.bmp"});
    d.fs.folders.clear();  // the folder is gone: the square toggles, list and count stay
    d.model.Click(kJpegKind);
    EXPECT_EQ(d.model.SquareSelected(kJpegKind), true);
    EXPECT_EQ(d.model.listLines(), std::vector<std::string>{"a.bmp"});
    EXPECT_EQ(d.model.Text(kPictureCountField), "1");

    Dialog empty;  // no stored pictures: the count stays blank
    EXPECT_EQ(empty.model.Text(kPictureCountField), "");
}

TEST(DialogModel, ChosenFolderClearsTheOldListThenListsWithClimbingCount) {
    Dialog d;
    AddPictures(d.fs);
    std::vector<std::string> counts;
    std::vector<std::string> errors;
    const auto onError = [&](const std::string& e) { errors.push_back(e); };
    ASSERT_EQ(d.model.ChooseFolder(
                  kPics,
                  [&] {
                      EXPECT_TRUE(d.model.listing());
                      EXPECT_TRUE(d.model.listLines().empty());
                      counts.push_back(d.model.Text(kPictureCountField));
                      return true;
                  },
                  onError),
              FolderChoice::kListed);
    EXPECT_FALSE(d.model.listing());
    EXPECT_EQ(counts, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(d.model.listLines(), (std::vector<std::string>{"a.bmp", "b.gif", "c.jpg"}));
    EXPECT_EQ(d.model.PicturePathOfLine(1), In("b.gif"));
    EXPECT_EQ(d.model.PicturePathOfLine(3), "");
    EXPECT_EQ(d.Written()["画像のﾌｫﾙﾀﾞ"], kPics);

    d.fs.Add("other", "x.bmp", kAttributeArchive);
    d.changes.clear();
    bool clearedFirst = false;
    EXPECT_EQ(d.model.ChooseFolder(
                  "other",
                  [&] {
                      // The old lines are gone, and the view was told, before any file counts.
                      clearedFirst = d.model.listLines().empty() && !d.changes.empty() &&
                                     (d.changes.back() & kListChanged) != 0;
                      return false;
                  },
                  onError),
              FolderChoice::kStopped);
    EXPECT_TRUE(clearedFirst);
    EXPECT_TRUE(d.model.listLines().empty()) << "the old folder's lines never stay";
    EXPECT_TRUE(errors.empty());

    EXPECT_EQ(d.model.ChooseFolder(
                  "missing", [] { return true; }, onError),
              FolderChoice::kListed);
    EXPECT_TRUE(d.model.listLines().empty());
    EXPECT_EQ(d.model.Text(kPictureCountField), "0");
    EXPECT_EQ(errors.size(), 1u) << "an unreadable folder is reported once";
}

TEST(DialogModel, AStoredFolderThatIsNotThereStaysMarkedAndIsWrittenBackUnchanged) {
    SaverSettings s = Defaults();
    s.pictureFolder = "Q:\\Pics \\写真";  // an absent drive; the blanks are kept too
    Dialog d(s);
    EXPECT_TRUE(d.model.folderMissing());
    EXPECT_EQ(d.model.Text(kFolderPath), s.pictureFolder);
    EXPECT_EQ(d.model.Text(kPictureCountField), "0");
    EXPECT_TRUE(d.model.listLines().empty());
    EXPECT_EQ(d.Written()["画像のﾌｫﾙﾀﾞ"], s.pictureFolder);

    d.model.Click(kGifKind);  // still not there: stays marked, nothing is listed
    EXPECT_TRUE(d.model.folderMissing());
    d.fs.Add(s.pictureFolder, "a.bmp", 0);  // the drive came back
    d.model.Click(kGifKind);
    EXPECT_FALSE(d.model.folderMissing());
    EXPECT_EQ(d.model.listLines(), std::vector<std::string>{"a.bmp"});

    AddPictures(d.fs);
    d.model.Load(s);
    EXPECT_FALSE(d.model.folderMissing());
    s.pictureFolder = kPics;
    d.model.Load(s);
    EXPECT_FALSE(d.model.folderMissing());
    EXPECT_FALSE(Dialog().model.folderMissing()) << "no folder is not a missing folder";
}

TEST(DialogModel, AFolderWithMorePicturesThanTheListTellsHowManyAreLeftOut) {
    Dialog d;
    for (int i = 0; i < kMaxPictureCount + 3; ++i) d.fs.Add(kPics, std::to_string(i) + ".bmp", 0);
    EXPECT_FALSE(d.model.LeftOutNotice());
    ASSERT_EQ(d.model.ChooseFolder(
                  kPics, [] { return true; }, nullptr),
              FolderChoice::kListed);
    EXPECT_EQ(d.model.Text(kPictureCountField), "32767");
    const std::optional<std::string> notice = d.model.LeftOutNotice();
    ASSERT_TRUE(notice);
    EXPECT_EQ(*notice, LeftOutMessage(32767, 3));
    // Told after the listing, as information; a listing the closing dialog stopped tells
    // nothing.
    EXPECT_EQ(d.model.NoticeAfter(FolderChoice::kListed),
              (Notice{*notice, NoticeKind::kInformation}));
    EXPECT_FALSE(d.model.NoticeAfter(FolderChoice::kStopped));

    SaverSettings stored = Defaults();  // opened with such a folder already stored
    stored.pictureFolder = kPics;
    ScanPictureFolder(kPics, stored.pictureKinds, stored.pictures, d.fs);
    d.model.Load(stored);
    EXPECT_EQ(d.model.LeftOutNotice(), notice);
    stored.pictures.leftOut = 0;
    d.model.Load(stored);
    EXPECT_FALSE(d.model.LeftOutNotice());
    EXPECT_FALSE(d.model.NoticeAfter(FolderChoice::kListed));
}

// Catches a chosen folder outside cp932 being refused, stored as '?' or as its short name.
TEST(DialogModel, AFolderInAnyScriptIsStoredAsChosenAndOnlyBrokenTextIsRefused) {
    for (const std::string name :
         {"C:\\사진", "C:\\Fotos\\Müller", "C:\\旅行〜", "C:\\😀", "C:\\sp ", "C:\\dot."}) {
        EXPECT_EQ(StorableFolderPath(name), name);
        Dialog d;
        d.fs.Add(name, "a.bmp", 0);
        ASSERT_EQ(d.model.ChooseFolder(
                      name, [] { return true; }, nullptr),
                  FolderChoice::kListed);
        EXPECT_EQ(d.model.Text(kFolderPath), name);
        EXPECT_EQ(d.model.listLines(), std::vector<std::string>{"a.bmp"});
        EXPECT_EQ(d.Written()["画像のﾌｫﾙﾀﾞ"], name);
    }
    for (const std::string& bad :
         {std::string("C:\\\xFF"), std::string("C:\\a\nb"), std::string("C:\\\0x", 4)}) {
        EXPECT_EQ(StorableFolderPath(bad), std::nullopt);
    }

    // Such a choice keeps the folder and the list shown before, and lists nothing.
    Dialog d;
    AddPictures(d.fs);
    const auto never = [] { return true; };
    const auto noError = [](const std::string&) {};
    ASSERT_EQ(d.model.ChooseFolder(kPics, never, noError), FolderChoice::kListed);
    const int listingsBefore = d.fs.listings;
    EXPECT_EQ(d.model.ChooseFolder("C:\\\xFF", never, noError), FolderChoice::kNameNotStorable);
    EXPECT_EQ(d.model.NoticeAfter(FolderChoice::kNameNotStorable)->kind, NoticeKind::kWarning);
    EXPECT_EQ(d.fs.listings, listingsBefore);
    EXPECT_EQ(d.model.Text(kFolderPath), kPics);
    EXPECT_EQ(d.model.listLines().size(), 3u);
    EXPECT_EQ(d.model.Text(kPictureCountField), "3");
    EXPECT_EQ(d.Written()["画像のﾌｫﾙﾀﾞ"], kPics);
}

// Catches a folder stored as a short name shown as that name, and its stored text replaced
// by the long name although the user chose nothing.
TEST(DialogModel, AShortStoredFolderShowsItsLongNameAndIsWrittenBackAsStored) {
    SaverSettings s = Defaults();
    s.pictureFolder = "C:\\pics\\__~~~51N";
    Dialog d(s);
    d.model.ShowLoadedFolderAs("C:\\pics\\사진");
    EXPECT_EQ(d.model.Text(kFolderPath), "C:\\pics\\사진");
    EXPECT_EQ(d.Written()["画像のﾌｫﾙﾀﾞ"], s.pictureFolder);
    d.fs.Add("C:\\pics\\사진", "a.bmp", 0);
    ASSERT_EQ(d.model.ChooseFolder(
                  "C:\\pics\\사진", [] { return true; }, nullptr),
              FolderChoice::kListed);
    EXPECT_EQ(d.Written()["画像のﾌｫﾙﾀﾞ"], "C:\\pics\\사진")
        << "a chosen folder is stored by its name";
    d.model.Load(s);
    EXPECT_EQ(d.model.Text(kFolderPath), s.pictureFolder);
    EXPECT_EQ(d.Written()["画像のﾌｫﾙﾀﾞ"], s.pictureFolder);
}

}  // namespace
}  // namespace velnor
