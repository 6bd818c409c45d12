// The rows of the dialog's control table for the picture side (the right panel): the
// sample pictures, the thumbnail and the folder's list, kinds, subfolders, interval, order
// and picture size. The sample pictures' controls are enabled with the sample, the
// folder's without it. Private to dialog_layout.cpp, which puts them after the ball side.
#pragma once

#include <array>

#include "dialog/control_ids.h"
#include "dialog/dialog_layout_rows.h"
#include "settings/saver_settings.h"

namespace velnor::layout_rows {

inline constexpr auto kPictureSideRows = [] {
    using namespace control_id;
    using K = ControlKind;
    constexpr ColourRef kWhite = 0xFFFFFF;
    constexpr int R = kPicPanelRight;
    return std::to_array<ControlSpec>({
        Row(kUseSampleBox, R, K::kCheckBox, 120, 120, 195, 195).Checked().Shows("use-sample"),
        Row(kUseSampleCaption, R, K::kClickableCaption, 360, 120, 1455, 195, "ｻﾝﾌﾟﾙ画像を使用")
            .ActsOn(kUseSampleBox),
        Row(kFirstSample, R, K::kOptionSquare, 2100, 120, 195, 195)
            .Selects("sample-choice", 0)
            .EnabledBy("use-sample"),
        Row(kFirstSampleCaption, R, K::kClickableCaption, 2400, 120, 105, 195, "1")
            .ActsOn(kFirstSample),
        Row(kSecondSample, R, K::kOptionSquare, 2100, 420, 195, 195)
            .Selects("sample-choice", 1)
            .EnabledBy("use-sample"),
        Row(kSecondSampleCaption, R, K::kClickableCaption, 2400, 420, 105, 195, "2")
            .ActsOn(kSecondSample),
        Row(kLblPicturePreviewHeading, R, K::kLabel, 2880, 120, 1380, 195, "・ 画像のﾌﾟﾚﾋﾞｭｰ"),
        Row(kThumbnailBox, R, K::kPictureBox, 2880, 420, 1500, 1500),
        Row(kLblFileNameHeading, R, K::kLabel, 180, 780, 1785, 195, "・ 背景画像のﾌｧｲﾙ名"),
        Row(kPictureList, R, K::kListBox, 180, 1080, 2535, 2595)
            .Back(kWhite)
            .DisabledBy("use-sample")
            .HeadedBy(kLblFileNameHeading, 'F'),
        // Wide enough for the size of a picture of four-digit sides, at every DPI.
        Row(kPictureSizeText, R, K::kLabel, 2760, 2040, 1815, 195, "Size : 9999 * 999"),
        Row(kLblKindHeading, R, K::kLabel, 2880, 2340, 1140, 195, "・ 画像の種類"),
        Row(kBmpKind, R, K::kOptionSquare, 3060, 2580, 195, 195)
            .Shows("kind-bmp")
            .DisabledBy("use-sample")
            .Key('K', kLblKindHeading),
        Row(kBmpKindCaption, R, K::kClickableCaption, 3300, 2580, 600, 195, "*.bmp")
            .ActsOn(kBmpKind),
        Row(kGifKind, R, K::kOptionSquare, 3060, 2820, 195, 195)
            .Shows("kind-gif")
            .DisabledBy("use-sample"),
        Row(kGifKindCaption, R, K::kClickableCaption, 3300, 2820, 600, 195, "*.gif")
            .ActsOn(kGifKind),
        Row(kJpegKind, R, K::kOptionSquare, 3060, 3060, 195, 195)
            .Shows("kind-jpg")
            .DisabledBy("use-sample"),
        Row(kJpegKindCaption, R, K::kClickableCaption, 3300, 3060, 600, 195, "*.jpg")
            .ActsOn(kJpegKind),
        Row(kWmfKind, R, K::kOptionSquare, 3060, 3300, 195, 195)
            .Shows("kind-wmf")
            .DisabledBy("use-sample"),
        Row(kWmfKindCaption, R, K::kClickableCaption, 3300, 3300, 600, 195, "*.wmf")
            .ActsOn(kWmfKind),
        Row(kPngKind, R, K::kOptionSquare, 3060, 3540, 195, 195)
            .Shows("kind-png")
            .DisabledBy("use-sample"),
        Row(kPngKindCaption, R, K::kClickableCaption, 3300, 3540, 600, 195, "*.png")
            .ActsOn(kPngKind),
        Row(kFolderButton, R, K::kButton, 180, 3840, 2535, 375, "背景画像をﾌｫﾙﾀﾞで指定...")
            .DisabledBy("use-sample")
            .Key('O'),
        // Wide enough for a full list's count ("32767") at every DPI.
        Row(kPictureCountField, R, K::kValueField, 2760, 3960, 780, 255),
        Row(kLblSheets, R, K::kLabel, 3585, 4020, 255, 195, "枚"),
        Row(kFolderPath, R, K::kPathField, 180, 4320, 4215, 255).Shows("folder"),
        Row(kChkSubfolders, R, K::kCheckBox, 180, 4650, 195, 195)
            .Shows("subfolders")
            .DisabledBy("use-sample"),
        Row(kLblSubfolders, R, K::kClickableCaption, 420, 4650, 1800, 195, "ｻﾌﾞﾌｫﾙﾀﾞも含む")
            .ActsOn(kChkSubfolders),
        Row(kLblIntervalHeading, R, K::kLabel, 180, 4920, 2745, 195,
            "・ 背景画像ﾁｪﾝｼﾞのｲﾝﾀｰﾊﾞﾙ（秒）"),
        Row(kIntervalBar, R, K::kHScrollBar, 360, 5220, 1815, 255)
            .Range(10, 600, 10, 10, 30)
            .Shows("interval")
            .DisabledBy("use-sample")
            .HeadedBy(kLblIntervalHeading, 'I'),
        Row(kIntervalValue, R, K::kValueField, 2280, 5220, 495, 255).Shows("interval"),
        Row(kLblSeconds, R, K::kLabel, 2820, 5280, 255, 195, "秒"),
        // The order's squares two by two beside the interval, in reading order of their values.
        Row(kLblOrderHeading, R, K::kLabel, 3150, 4920, 1200, 195, "・ 画像の順序"),
        Row(kListedOrder, R, K::kOptionSquare, 3150, 5220, 195, 195)
            .Selects("order", 0)
            .DisabledBy("use-sample")
            .Key('N', kLblOrderHeading),
        Row(kListedOrderCaption, R, K::kClickableCaption, 3375, 5220, 390, 195, "標準")
            .ActsOn(kListedOrder),
        Row(kNameOrder, R, K::kOptionSquare, 3810, 5220, 195, 195)
            .Selects("order", 1)
            .DisabledBy("use-sample"),
        Row(kNameOrderCaption, R, K::kClickableCaption, 4035, 5220, 540, 195, "名前")
            .ActsOn(kNameOrder),
        Row(kDateOrder, R, K::kOptionSquare, 3150, 5450, 195, 195)
            .Selects("order", 2)
            .DisabledBy("use-sample"),
        Row(kDateOrderCaption, R, K::kClickableCaption, 3375, 5450, 390, 195, "日付")
            .ActsOn(kDateOrder),
        Row(kShuffledOrder, R, K::kOptionSquare, 3810, 5450, 195, 195)
            .Selects("order", 3)
            .DisabledBy("use-sample"),
        Row(kShuffledOrderCaption, R, K::kClickableCaption, 4035, 5450, 540, 195, "ﾗﾝﾀﾞﾑ")
            .ActsOn(kShuffledOrder),
        Row(kLblPictureSizeHeading, R, K::kLabel, 180, 5640, 1545, 195, "・ 処理画像のｻｲｽﾞ"),
        Row(kOwnSize, R, K::kOptionSquare, 1920, 5700, 195, 195)
            .Selects("fit", 0)
            .DisabledBy("use-sample")
            .Key('Z', kLblPictureSizeHeading),
        Row(kOwnSizeCaption, R, K::kClickableCaption, 2160, 5700, 630, 195, "ｵﾘｼﾞﾅﾙ")
            .ActsOn(kOwnSize),
        Row(kFullScreenSize, R, K::kOptionSquare, 2940, 5700, 195, 195)
            .Selects("fit", 1)
            .DisabledBy("use-sample"),
        Row(kFullScreenSizeCaption, R, K::kClickableCaption, 3180, 5700, 630, 195, "全画面")
            .ActsOn(kFullScreenSize),
        Row(kWholeSize, R, K::kOptionSquare, 3900, 5700, 195, 195)
            .Selects("fit", kWholePictureSize)
            .DisabledBy("use-sample"),
        Row(kWholeSizeCaption, R, K::kClickableCaption, 4140, 5700, 420, 195, "全体")
            .ActsOn(kWholeSize),
    });
}();

}  // namespace velnor::layout_rows
