// The settings dialog's rules without windows: the load from the settings record, what
// clicks and scrolls change (and which controls they enable), colours and what the saving
// buttons write (the picture-source rules are in dialog_model_pictures_test.cpp).
#include "dialog/dialog_model.h"

#include <gtest/gtest.h>

#include "dialog_model_fixture.h"
#include "settings/settings_table.h"

namespace velnor {
namespace {

using namespace control_id;
using namespace dialog_test;

TEST(DialogModel, LoadShowsStoredValuesAndOutOfRangeNumbersOnlyInTheFields) {
    SaverSettings s = Defaults();
    s.aspectTenths = 20;      // the shape spin stops at 16
    s.perspectiveDepth = 13;  // inside the depth spin's range
    s.pictureInterval = 5;    // the interval bar starts at 10
    s.randomFlags = {1, 2, 0};
    s.pictureSize = 7;  // a hand-edited file: no square of the pair shows selected
    Dialog d(s);
    const DialogModel& m = d.model;
    EXPECT_EQ(m.Text(kShapeValue), "20");
    EXPECT_EQ(m.ScrollValue(kShapeSpin), -10);
    EXPECT_EQ(m.Text(kDepthValue), "13");
    EXPECT_EQ(m.ScrollValue(kDepthSpin), -13);
    EXPECT_EQ(m.Text(kIntervalValue), "5");
    EXPECT_EQ(m.ScrollValue(kIntervalBar), 30);
    EXPECT_EQ(m.ScrollValue(kBallGreenBar), 32);
    EXPECT_EQ(m.CheckValue(kRandomShapeBox), 1);
    EXPECT_EQ(m.CheckValue(kRandomDepthBox), 0) << "only 0 and 1 set a check box";
    EXPECT_EQ(m.Text(kPictureSizeText), "");
    EXPECT_EQ(m.SquareSelected(kPerspectiveOff), true);
    EXPECT_EQ(m.SquareSelected(kOwnSize), std::nullopt);
    EXPECT_EQ(m.SquareSelected(kFullScreenSize), std::nullopt);
    auto written = d.Written();
    EXPECT_EQ(written["画像のｻｲｽﾞ"], " 7") << "the index is stored all the same";
    EXPECT_EQ(written["外観"], " 10") << "the spin's value, not the field's, is written";
    EXPECT_EQ(written["画像のｲﾝﾀｰﾊﾞﾙ"], " 30");
    // A stored depth outside the spin's range is written back at the spin's initial value.
    s.perspectiveDepth = 26;
    EXPECT_EQ(Dialog(s).Written()["遠近の深さ"], " 25");
    EXPECT_TRUE(d.PreviewNotified());
    EXPECT_EQ(d.changes.back() & kPreviewChanged, kPreviewChanged) << "load ends with a redraw";
}

TEST(DialogModel, PerspectiveAndSampleModeEnableTheirControls) {
    Dialog d;
    DialogModel& m = d.model;
    const auto depthEnabled = [&] {
        return m.Enabled(kDepthSpin) && m.Enabled(kRandomDepthBox) &&
               m.Enabled(kRandomDepthCaption);
    };
    const auto depthDisabled = [&] {
        return !m.Enabled(kDepthSpin) && !m.Enabled(kRandomDepthBox) &&
               !m.Enabled(kRandomDepthCaption);
    };
    EXPECT_TRUE(depthDisabled());
    for (const auto& [click, on] :
         {std::pair{kPerspectiveOn, true}, std::pair{kPerspectiveOffCaption, false},
          std::pair{kPerspectiveOnCaption, true}}) {
        d.changes.clear();
        ASSERT_TRUE(m.Click(click));
        EXPECT_EQ(on ? depthEnabled() : depthDisabled(), true) << NameOf(click);
        EXPECT_EQ(m.SquareSelected(kPerspectiveOn), on);
        EXPECT_TRUE(d.PreviewNotified());
    }
    EXPECT_EQ(d.Written()["透視画法"], " 1");

    // Sample mode: the check box and its caption swap the sample and folder sides.
    const int folderSide[] = {kPictureList, kBmpKind, kWmfKindCaption,       kFolderButton,
                              kIntervalBar, kOwnSize, kFullScreenSizeCaption};
    const int sampleSide[] = {kFirstSample, kSecondSample, kFirstSampleCaption,
                              kSecondSampleCaption};
    for (const auto& [click, sample] :
         {std::pair{0, true}, std::pair{kUseSampleBox, false}, std::pair{kUseSampleCaption, true},
          std::pair{kUseSampleCaption, false}}) {
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
    for (const int id : {kOwnSizeCaption, kSecondSampleCaption, kRandomColourCaption,
                         kRandomShapeBox, kRandomShapeBox, kRandomShapeCaption}) {
        ASSERT_TRUE(m.Click(id)) << NameOf(id);
    }
    EXPECT_EQ(m.SquareSelected(kOwnSize), true);
    EXPECT_EQ(m.SquareSelected(kFullScreenSize), false);
    EXPECT_EQ(m.SquareSelected(kSecondSample), true);
    EXPECT_EQ(m.SquareSelected(kFirstSample), false);
    auto written = d.Written();
    EXPECT_EQ(written["画像のｻｲｽﾞ"], " 0");
    EXPECT_EQ(written["ｻﾝﾌﾟﾙ画像_12"], " 1");
    EXPECT_EQ(written["Random_0"], " 1");
    EXPECT_EQ(written["Random_2"], " 1");
    // Controls whose clicks open a window or save are left to the view.
    for (const int id : {kFolderButton, kParallelColourButton, kHomepageLink, kSaveButton,
                         kFactoryButton, kCancelButton, kShapeValue}) {
        EXPECT_FALSE(m.Click(id)) << NameOf(id);
    }
}

TEST(DialogModel, ScrollingUpdatesFieldsSampleBallAndPreviewAsEachBarShould) {
    Dialog d;
    DialogModel& m = d.model;
    EXPECT_EQ(m.Preview().sampleColour, (std::array<std::int16_t, 3>{72, 32, 56}));
    m.Scroll(kShapeSpin, ScrollAction::kLineUp, 0);
    EXPECT_EQ(m.Text(kShapeValue), "11") << "the upper arrow raises the shape";
    EXPECT_EQ(m.Preview().shapeValue, -11);
    // A spin's drag changes its field only at the release, and only if the value moved.
    m.Scroll(kDepthSpin, ScrollAction::kThumbTrack, -14);
    EXPECT_EQ(m.Text(kDepthValue), "20");
    m.Scroll(kDepthSpin, ScrollAction::kThumbPosition, -14);
    EXPECT_EQ(m.Text(kDepthValue), "14");
    // Other bars run their rule at every drag step.
    m.Scroll(kIntervalBar, ScrollAction::kThumbTrack, 600);
    EXPECT_EQ(m.Text(kIntervalValue), "600");
    m.Scroll(kBallRedBar, ScrollAction::kThumbTrack, 127);
    EXPECT_EQ(m.Preview().sampleColour, (std::array<std::int16_t, 3>{127, 32, 56}));
    d.changes.clear();
    m.Scroll(kSpeedBar, ScrollAction::kPageDown, 0);
    EXPECT_FALSE(d.PreviewNotified()) << "the speed shows nowhere";
    m.Scroll(kSizeBar, ScrollAction::kThumbTrack, 300);
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
    d.model.Scroll(kBallBlueBar, ScrollAction::kLineDown, 0);
    EXPECT_EQ(d.model.Preview().sampleColour, (std::array<std::int16_t, 3>{0, 0, 1}));
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
    EXPECT_EQ(m.Text(kPictureSizeText), "Size ： 640 * 480");
    EXPECT_EQ(d.Written()["Color_1"], " 8421631");
    EXPECT_EQ(m.EntriesToWrite(kFactoryButton), FactoryEntries());
    EXPECT_TRUE(m.EntriesToWrite(kCancelButton).empty());
    // An untouched dialog writes back every value it loaded.
    EXPECT_EQ(Dialog().model.EntriesToWrite(kSaveButton).size(), SettingRows().size());
    auto untouched = Dialog().Written();
    EXPECT_EQ(untouched["Scale"], " 128");
    EXPECT_EQ(untouched["ｻﾝﾌﾟﾙ画像_12"], " 0");
}

}  // namespace
}  // namespace velnor
