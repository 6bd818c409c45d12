// The settings dialog's rules without windows: the load from the settings record, what
// clicks and scrolls change (and which controls they enable), kind toggles and folder
// listings through a fake file system, the storable folder path and what the saving
// buttons write.
#include "dialog/dialog_model.h"

#include <gtest/gtest.h>

#include "../engine/scene_settings.h"
#include "../settings/fake_file_system.h"
#include "dialog/control_ids.h"
#include "settings/text_encoding.h"

namespace velnor {
namespace {

using namespace control_id;
using test::FakeFileSystem;

const std::string kPics = "pics";

std::string In(const std::string& name) {
    return kPics + kPathSeparator + name;
}

// The record LoadSettings makes from an empty file.
SaverSettings Defaults() {
    SaverSettings s = testing::DefaultSceneSettings();
    s.pictureKinds = {1, 1, 1, 1};
    s.pictureSize = 1;
    s.pictureInterval = 30;
    s.useSample = 1;
    return s;
}

// A model over a fake file system, recording every notification.
struct Dialog {
    FakeFileSystem fs;
    std::unique_ptr<TextEncoding> text = MakePlatformTextEncoding();
    std::vector<unsigned> changes;
    DialogModel model{fs, *text, [this](unsigned c) { changes.push_back(c); }};

    explicit Dialog(const SaverSettings& settings = Defaults()) { model.Load(settings); }

    bool PreviewNotified() const {
        for (const unsigned c : changes) {
            if (c & kPreviewChanged) return true;
        }
        return false;
    }
    // What the button writes, by key as UTF-8.
    std::map<std::string, std::string> Written(int button = kCmdOk) const {
        std::map<std::string, std::string> out;
        for (const IniEntry& entry : model.EntriesToWrite(button)) {
            out[text->Cp932ToUtf8(entry.key)] = text->Cp932ToUtf8(entry.value);
        }
        return out;
    }
};

void AddPictures(FakeFileSystem& fs) {
    fs.Add(kPics, ".", kAttributeDirectory);
    fs.Add(kPics, "a.bmp", kAttributeArchive);
    fs.Add(kPics, "b.gif", kAttributeArchive);
    fs.Add(kPics, "c.jpg", kAttributeArchive);
}

TEST(DialogModel, LoadShowsStoredValuesAndOutOfRangeNumbersOnlyInTheFields) {
    SaverSettings s = Defaults();
    s.aspectTenths = 20;      // the shape spin stops at 16
    s.perspectiveDepth = 13;  // inside the depth spin's range
    s.pictureInterval = 5;    // the interval bar starts at 10
    s.randomFlags = {1, 2, 0};
    s.pictureSize = 7;  // a hand-edited file: no square of the pair shows selected
    Dialog d(s);
    const DialogModel& m = d.model;
    EXPECT_EQ(m.Text(kLblAsp), "20");
    EXPECT_EQ(m.ScrollValue(kAspV), -10);
    EXPECT_EQ(m.Text(kLblDepth), "13");
    EXPECT_EQ(m.ScrollValue(kDepthV), -13);
    EXPECT_EQ(m.Text(kLblIntval), "5");
    EXPECT_EQ(m.ScrollValue(kIntval), 30);
    EXPECT_EQ(m.ScrollValue(kHRgb1), 32);
    EXPECT_EQ(m.CheckValue(kChkRdm0), 1);
    EXPECT_EQ(m.CheckValue(kChkRdm1), 0) << "only 0 and 1 set a check box";
    EXPECT_EQ(m.Text(kLblPreSize), "");
    EXPECT_EQ(m.SquareSelected(kPicPer0), true);
    EXPECT_EQ(m.SquareSelected(kPicSize0), std::nullopt);
    EXPECT_EQ(m.SquareSelected(kPicSize1), std::nullopt);
    auto written = d.Written();
    EXPECT_EQ(written["画像のｻｲｽﾞ"], " 7") << "the index is stored all the same";
    EXPECT_EQ(written["外観"], " 10") << "the spin's value, not the field's, is written";
    EXPECT_EQ(written["画像のｲﾝﾀｰﾊﾞﾙ"], " 30");
    EXPECT_TRUE(d.PreviewNotified());
    EXPECT_EQ(d.changes.back() & kPreviewChanged, kPreviewChanged) << "load ends with a redraw";
}

TEST(DialogModel, PerspectiveAndSampleModeEnableTheirControls) {
    Dialog d;
    DialogModel& m = d.model;
    const auto depthEnabled = [&] {
        return m.Enabled(kDepthV) && m.Enabled(kChkRdm1) && m.Enabled(kLblRdm1);
    };
    const auto depthDisabled = [&] {
        return !m.Enabled(kDepthV) && !m.Enabled(kChkRdm1) && !m.Enabled(kLblRdm1);
    };
    EXPECT_TRUE(depthDisabled());
    for (const auto& [click, on] :
         {std::pair{kPicPer1, true}, std::pair{kLblPer0, false}, std::pair{kLblPer1, true}}) {
        d.changes.clear();
        ASSERT_TRUE(m.Click(click));
        EXPECT_EQ(on ? depthEnabled() : depthDisabled(), true) << NameOf(click);
        EXPECT_EQ(m.SquareSelected(kPicPer1), on);
        EXPECT_TRUE(d.PreviewNotified());
    }
    EXPECT_EQ(d.Written()["透視画法"], " 1");

    // Sample mode: the check box and its caption swap the sample and folder sides.
    const int folderSide[] = {kList1, kPicKind0, kLblKind3, kFolder, kIntval, kPicSize0, kLblSize1};
    const int sampleSide[] = {kPicSample0, kPicSample1, kLblSample0, kLblSample1};
    for (const auto& [click, sample] :
         {std::pair{0, true}, std::pair{kChkSample, false}, std::pair{kLblSample, true},
          std::pair{kLblSample, false}}) {
        if (click != 0) {
            ASSERT_TRUE(m.Click(click));
        }
        for (const int id : folderSide) EXPECT_EQ(m.Enabled(id), !sample) << NameOf(id);
        for (const int id : sampleSide) EXPECT_EQ(m.Enabled(id), sample) << NameOf(id);
        EXPECT_EQ(d.Written()["ｻﾝﾌﾟﾙ画像有無"], sample ? " 1" : " 0");
    }
}

TEST(DialogModel, PairsCaptionsAndRandomChecksAreWrittenAsShown) {
    Dialog d;
    DialogModel& m = d.model;
    for (const int id : {kLblSize0, kLblSample1, kLblRdm2, kChkRdm0, kChkRdm0, kLblRdm0}) {
        ASSERT_TRUE(m.Click(id)) << NameOf(id);
    }
    EXPECT_EQ(m.SquareSelected(kPicSize0), true);
    EXPECT_EQ(m.SquareSelected(kPicSize1), false);
    EXPECT_EQ(m.SquareSelected(kPicSample1), true);
    EXPECT_EQ(m.SquareSelected(kPicSample0), false);
    auto written = d.Written();
    EXPECT_EQ(written["画像のｻｲｽﾞ"], " 0");
    EXPECT_EQ(written["ｻﾝﾌﾟﾙ画像_12"], " 1");
    EXPECT_EQ(written["Random_0"], " 1");
    EXPECT_EQ(written["Random_2"], " 1");
    // Controls whose clicks open a window or save are left to the view.
    for (const int id : {kFolder, kCmdColor1, kLblUrl, kCmdOk, kCmdInit, kCmdCan, kLblAsp}) {
        EXPECT_FALSE(m.Click(id)) << NameOf(id);
    }
}

TEST(DialogModel, ScrollingUpdatesFieldsSampleBallAndPreviewAsEachBarShould) {
    Dialog d;
    DialogModel& m = d.model;
    EXPECT_EQ(m.Preview().sampleColour, (std::array<std::int16_t, 3>{72, 32, 56}));
    m.Scroll(kAspV, ScrollAction::kLineUp, 0);
    EXPECT_EQ(m.Text(kLblAsp), "11") << "the upper arrow raises the shape";
    EXPECT_EQ(m.Preview().aspValue, -11);
    // A spin's drag changes its field only at the release, and only if the value moved.
    m.Scroll(kDepthV, ScrollAction::kThumbTrack, -14);
    EXPECT_EQ(m.Text(kLblDepth), "20");
    m.Scroll(kDepthV, ScrollAction::kThumbPosition, -14);
    EXPECT_EQ(m.Text(kLblDepth), "14");
    // Other bars run their rule at every drag step.
    m.Scroll(kIntval, ScrollAction::kThumbTrack, 600);
    EXPECT_EQ(m.Text(kLblIntval), "600");
    m.Scroll(kHRgb0, ScrollAction::kThumbTrack, 127);
    EXPECT_EQ(m.Preview().sampleColour, (std::array<std::int16_t, 3>{127, 32, 56}));
    d.changes.clear();
    m.Scroll(kHsFast, ScrollAction::kPageDown, 0);
    EXPECT_FALSE(d.PreviewNotified()) << "the speed shows nowhere";
    m.Scroll(kHScale, ScrollAction::kThumbTrack, 300);
    EXPECT_TRUE(d.PreviewNotified());
    const auto written = d.Written();
    EXPECT_EQ(written.at("外観"), " 11");
    EXPECT_EQ(written.at("遠近の深さ"), " 14");
    EXPECT_EQ(written.at("公転球の色_赤"), " 127");
    EXPECT_EQ(written.at("速さ"), " 1");  // loaded as 0, one page of 1 down
    EXPECT_EQ(written.at("Scale"), " 300");
}

TEST(DialogModel, SampleBallStaysBlackUntilAColourBarChanges) {
    SaverSettings s = Defaults();
    s.ballColour = {0, 0, 0};  // every bar already at its initial 0: no change rule runs
    Dialog d(s);
    EXPECT_EQ(d.model.Preview().sampleColour, std::nullopt);
    d.model.Scroll(kHRgb2, ScrollAction::kLineDown, 0);
    EXPECT_EQ(d.model.Preview().sampleColour, (std::array<std::int16_t, 3>{0, 0, 1}));
}

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

TEST(DialogModel, ColoursPictureSizeAndTheEntriesOfEachButton) {
    Dialog d;
    DialogModel& m = d.model;
    d.changes.clear();
    m.ChooseColour(1, 0x8080FF);
    EXPECT_TRUE(d.PreviewNotified());
    m.ChooseColour(0, 0x123456);
    m.ChooseColour(3, 0x123456);
    EXPECT_EQ(m.Preview().parallelColour, 0x8080FF);
    EXPECT_EQ(m.LineColour(2), 16776960);
    m.ShowPictureSize(640, 480);
    EXPECT_EQ(m.Text(kLblPreSize), "Size ： 640 * 480");
    EXPECT_EQ(d.Written()["Color_1"], " 8421631");
    EXPECT_EQ(m.EntriesToWrite(kCmdInit), FactoryEntries());
    EXPECT_TRUE(m.EntriesToWrite(kCmdCan).empty());
    // An untouched dialog writes back every value it loaded.
    const std::vector<IniEntry> untouched = Dialog().model.EntriesToWrite(kCmdOk);
    ASSERT_EQ(untouched.size(), 22u);
    EXPECT_EQ(untouched[12], (IniEntry{"Scale", " 128"}));
    EXPECT_EQ(untouched[21].value, " 0");
}

}  // namespace
}  // namespace velnor
