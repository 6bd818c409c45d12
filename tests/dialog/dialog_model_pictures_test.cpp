// The settings dialog's picture-source rules without windows: kind toggles and folder
// listings through a fake file system, and the storable folder path.
#include <gtest/gtest.h>

#include "dialog_model_fixture.h"

namespace velnor {
namespace {

using namespace control_id;
using namespace dialog_test;

TEST(DialogModel, KindTogglesRescanAnExistingFolderAndLeaveTheListOtherwise) {
    SaverSettings s = Defaults();
    s.pictureFolder = kPics;
    s.pictures.pictureCount = 2;
    s.pictures.picturePaths = {"", In("a.bmp"), In("gone.bmp")};
    Dialog d;
    AddPictures(d.fs);
    d.model.Load(s);
    EXPECT_EQ(d.model.listLines(), (std::vector<std::string>{"a.bmp", ""}))
        << "a stored picture that no longer exists shows as an empty line";
    EXPECT_EQ(d.model.Text(kLblKei), "2");
    ASSERT_TRUE(d.model.Click(kLblKind1));
    EXPECT_EQ(d.model.SquareSelected(kPicKind1), false);
    EXPECT_EQ(d.model.listLines(), (std::vector<std::string>{"a.bmp", "c.jpg"}));
    for (const int id : {kPicKind0, kPicKind2}) d.model.Click(id);
    EXPECT_TRUE(d.model.listLines().empty());
    EXPECT_EQ(d.model.Text(kLblKei), "0");
    EXPECT_EQ(d.Written()["画像種類_0"], " 0");

    d.model.Click(kPicKind0);
    ASSERT_EQ(d.model.listLines(), std::vector<std::string>{"a.bmp"});
    d.fs.folders.clear();  // the folder is gone: the square toggles, list and count stay
    d.model.Click(kPicKind2);
    EXPECT_EQ(d.model.SquareSelected(kPicKind2), true);
    EXPECT_EQ(d.model.listLines(), std::vector<std::string>{"a.bmp"});
    EXPECT_EQ(d.model.Text(kLblKei), "1");

    Dialog empty;  // no stored pictures: the count stays blank
    EXPECT_EQ(empty.model.Text(kLblKei), "");
}

TEST(DialogModel, ChosenFolderListsWithClimbingCountAndAStopKeepsTheOldList) {
    Dialog d;
    AddPictures(d.fs);
    std::vector<std::string> counts;
    std::vector<std::string> errors;
    const auto onError = [&](const std::string& e) { errors.push_back(e); };
    ASSERT_EQ(d.model.ChooseFolder(
                  kPics, "",
                  [&] {
                      EXPECT_TRUE(d.model.listing());
                      counts.push_back(d.model.Text(kLblKei));
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
    EXPECT_EQ(d.model.ChooseFolder(
                  "other", "", [] { return false; }, onError),
              FolderChoice::kStopped);
    EXPECT_EQ(d.model.listLines().size(), 3u) << "a stopped listing keeps the lines";
    EXPECT_TRUE(errors.empty());

    EXPECT_EQ(d.model.ChooseFolder(
                  "missing", "", [] { return true; }, onError),
              FolderChoice::kListed);
    EXPECT_TRUE(d.model.listLines().empty());
    EXPECT_EQ(d.model.Text(kLblKei), "0");
    EXPECT_EQ(errors.size(), 1u) << "an unreadable folder is reported once";
}

TEST(DialogModel, AFolderNameTheSettingsFileCannotHoldIsNeverStored) {
    const std::unique_ptr<TextEncoding> text = MakePlatformTextEncoding();
    EXPECT_EQ(StorableFolderPath("C:\\写真", "C:\\SHORT~1", *text), "C:\\写真");
    EXPECT_EQ(StorableFolderPath("C:\\写真☃", "C:\\4E99~1", *text), "C:\\4E99~1");
    EXPECT_EQ(StorableFolderPath("D:\\Fotos\\Müller", "", *text), std::nullopt);
    EXPECT_EQ(StorableFolderPath("C:\\☃", "C:\\☃", *text), std::nullopt);

    // Such a choice keeps the folder and the list shown before, and lists nothing.
    Dialog d;
    AddPictures(d.fs);
    const auto never = [] { return true; };
    const auto noError = [](const std::string&) {};
    ASSERT_EQ(d.model.ChooseFolder(kPics, "", never, noError), FolderChoice::kListed);
    const int listingsBefore = d.fs.listings;
    EXPECT_EQ(d.model.ChooseFolder("C:\\☃", "", never, noError), FolderChoice::kNameNotStorable);
    EXPECT_EQ(d.fs.listings, listingsBefore);
    EXPECT_EQ(d.model.Text(kFolderPath), kPics);
    EXPECT_EQ(d.model.listLines().size(), 3u);
    EXPECT_EQ(d.model.Text(kLblKei), "3");
    EXPECT_EQ(d.Written()["画像のﾌｫﾙﾀﾞ"], kPics);
}

}  // namespace
}  // namespace velnor
