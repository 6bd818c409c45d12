// The dialog's control table, one row per control. A row reads like the layout tables (ID,
// parent panel, kind, Left, Top, Width x Height in twips, caption), then says what the
// control does: the setting it shows and edits, the control a caption clicks with, what
// enables it, what names it and its Alt+letter key (dialog_layout_rows.h).
#include "dialog/dialog_layout.h"

#include <algorithm>
#include <array>

#include "dialog/control_ids.h"
#include "dialog/dialog_layout_rows.h"
#include "settings/saver_settings.h"

#ifndef VELNOR_HOMEPAGE_URL
#define VELNOR_HOMEPAGE_URL ""
#endif
#ifndef VELNOR_CREDIT_LINE
#define VELNOR_CREDIT_LINE "Velnor  Version 1.1.0"
#endif

namespace velnor {
namespace {

using namespace control_id;
using namespace layout_rows;
using K = ControlKind;

constexpr ColourRef kBlack = 0x000000;
constexpr ColourRef kWhite = 0xFFFFFF;
constexpr ColourRef kRed = 0x0000FF;
constexpr ColourRef kTeal = 0x808000;  // RGB 0, 128, 128
constexpr ColourRef kBlue = 0xFF0000;

// The colour bars sit 240 twips apart; at the usual 255 twips the neighbours would share
// a pixel row, so they are one pixel less tall.
constexpr int kColourBarHeight = 240;

constexpr int L = kPicPanelLeft;
constexpr int R = kPicPanelRight;
constexpr int C = kContentPanel;

// The captions of the dialog are fixed texts with no room for a "(&X)" added to them, so
// the Alt+letter keys are the dialog's own: English initials of what the control does.
const auto kControls = std::to_array<ControlSpec>({
    // The window's content and its three big boxes.
    Row(kContentPanel, 0, K::kPanel, 0, 0, 12435, 6375),
    Row(kPicPanelLeft, C, K::kPanel, 180, 180, 2595, 5955),
    Row(kPreviewBox, C, K::kPreview, 2940, 180, 4500, 4500).Back(kBlack),
    Row(kPicPanelRight, C, K::kPanel, 7560, 180, 4635, 5955),

    // Left panel: shape, perspective, depth, ball colour, line colours, speed, size.
    Row(kLblShapeHeading, L, K::kLabel, 120, 180, 1560, 195, "・ 外観 (球体 = 10)"),
    Row(kShapeValue, L, K::kValueField, 300, 420, 495, 255).Shows("shape"),
    Row(kShapeSpin, L, K::kSpin, 780, 420, 255, 270)
        .Range(-16, -4, 1, 1, -10)
        .Shows("shape")
        .Previewed()
        .HeadedBy(kLblShapeHeading, 'A'),
    Row(kRandomShapeBox, L, K::kCheckBox, 1260, 480, 195, 195).Shows("random-shape"),
    Row(kRandomShapeCaption, L, K::kClickableCaption, 1500, 480, 480, 195, "ﾗﾝﾀﾞﾑ")
        .ActsOn(kRandomShapeBox),
    Row(kLblPerspectiveHeading, L, K::kLabel, 120, 900, 1500, 195, "・ 透視（遠近)画法"),
    Row(kPerspectiveOff, L, K::kOptionSquare, 300, 1140, 195, 195)
        .Selects("perspective", 0)
        .Previewed()
        .Key('P', kLblPerspectiveHeading),
    Row(kPerspectiveOffCaption, L, K::kClickableCaption, 540, 1140, 225, 195, "off")
        .ActsOn(kPerspectiveOff),
    Row(kPerspectiveOn, L, K::kOptionSquare, 1260, 1140, 195, 195)
        .Selects("perspective", 1)
        .Previewed(),
    Row(kPerspectiveOnCaption, L, K::kClickableCaption, 1500, 1140, 210, 195, "on")
        .ActsOn(kPerspectiveOn),
    Row(kLblDepthHeading, L, K::kLabel, 120, 1560, 1845, 195, "・ 透視図（遠近)の深さ"),
    Row(kDepthValue, L, K::kValueField, 300, 1800, 495, 255).Shows("depth"),
    Row(kDepthSpin, L, K::kSpin, 780, 1800, 255, 270)
        .Range(-25, -12, 1, 1, -25)
        .Shows("depth")
        .Previewed()
        .EnabledBy("perspective")
        .HeadedBy(kLblDepthHeading, 'E'),
    Row(kRandomDepthBox, L, K::kCheckBox, 1260, 1860, 195, 195)
        .Shows("random-depth")
        .EnabledBy("perspective"),
    Row(kRandomDepthCaption, L, K::kClickableCaption, 1500, 1860, 480, 195, "ﾗﾝﾀﾞﾑ")
        .ActsOn(kRandomDepthBox),
    Row(kLblColourHeading, L, K::kLabel, 120, 2280, 2085, 195, "・ 公転球の色設定 (RGB)"),
    Row(kLblRed, L, K::kLabel, 360, 2580, 255, 195, "赤").Text(kRed),
    Row(kBallRedBar, L, K::kHScrollBar, 660, 2520, 1635, kColourBarHeight)
        .Range(0, 127, 1, 10, 0)
        .Shows("ball-red")
        .Previewed()
        .NamedBy(kLblRed)
        .Key('R', kLblColourHeading),
    Row(kLblGreen, L, K::kLabel, 360, 2820, 255, 195, "緑").Text(kTeal),
    Row(kBallGreenBar, L, K::kHScrollBar, 660, 2760, 1635, kColourBarHeight)
        .Range(0, 127, 1, 10, 0)
        .Shows("ball-green")
        .Previewed()
        .NamedBy(kLblGreen),
    Row(kLblBlue, L, K::kLabel, 360, 3060, 255, 195, "青").Text(kBlue),
    Row(kBallBlueBar, L, K::kHScrollBar, 660, 3000, 1635, kColourBarHeight)
        .Range(0, 127, 1, 10, 0)
        .Shows("ball-blue")
        .Previewed()
        .NamedBy(kLblBlue),
    Row(kRandomColourBox, L, K::kCheckBox, 1260, 3360, 195, 195).Shows("random-colour"),
    Row(kRandomColourCaption, L, K::kClickableCaption, 1500, 3360, 480, 195, "ﾗﾝﾀﾞﾑ")
        .ActsOn(kRandomColourBox),
    Row(kLblLineColourHeading, L, K::kLabel, 120, 3780, 1530, 195, "・ その他の色指定"),
    Row(kParallelColourButton, L, K::kButton, 360, 4020, 915, 375, "緯度")
        .Key('L', kLblLineColourHeading),
    Row(kMeridianColourButton, L, K::kButton, 1380, 4020, 915, 375, "経度"),
    Row(kLblSpeedHeading, L, K::kLabel, 120, 4560, 510, 195, "・ 速さ"),
    Row(kLblFast, L, K::kLabel, 780, 4800, 255, 195, "速"),
    Row(kSpeedBar, L, K::kHScrollBar, 1080, 4740, 1035, 255)
        .Range(0, 10, 1, 1, 1)
        .Shows("speed")
        .HeadedBy(kLblSpeedHeading, 'V'),
    Row(kLblSlow, L, K::kLabel, 2160, 4800, 255, 195, "遅"),
    Row(kLblSizeHeading, L, K::kLabel, 120, 5220, 675, 195, "・ 大きさ"),
    Row(kLblSmall, L, K::kLabel, 780, 5460, 255, 195, "小"),
    Row(kSizeBar, L, K::kHScrollBar, 1080, 5400, 1035, 255)
        .Range(96, 384, 1, 16, 144)
        .Shows("scale")
        .Previewed()
        .HeadedBy(kLblSizeHeading, 'B'),
    Row(kLblLarge, L, K::kLabel, 2160, 5460, 255, 195, "大"),

    // Bottom row of the content panel.
    Row(kHomepageLink, C, K::kClickableCaption, 2940, 5100, 3210, 195, VELNOR_HOMEPAGE_URL)
        .Text(kBlue),
    Row(kLblCredit, C, K::kLabel, 2940, 5460, 2520, 195, VELNOR_CREDIT_LINE),
    Row(kFactoryButton, C, K::kButton, 2940, 5760, 1395, 375, "初期設定").Key('D'),
    Row(kSaveButton, C, K::kButton, 4440, 5760, 1455, 375, "設定").Key('S'),
    Row(kCancelButton, C, K::kButton, 6000, 5760, 1395, 375, "ｷｬﾝｾﾙ").Key('C'),

    // Right panel: picture sources. The sample pictures' controls are enabled with the
    // sample, the folder's without it.
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
    Row(kBmpKindCaption, R, K::kClickableCaption, 3300, 2580, 600, 195, "*.bmp").ActsOn(kBmpKind),
    Row(kGifKind, R, K::kOptionSquare, 3060, 2820, 195, 195)
        .Shows("kind-gif")
        .DisabledBy("use-sample"),
    Row(kGifKindCaption, R, K::kClickableCaption, 3300, 2820, 600, 195, "*.gif").ActsOn(kGifKind),
    Row(kJpegKind, R, K::kOptionSquare, 3060, 3060, 195, 195)
        .Shows("kind-jpg")
        .DisabledBy("use-sample"),
    Row(kJpegKindCaption, R, K::kClickableCaption, 3300, 3060, 600, 195, "*.jpg").ActsOn(kJpegKind),
    Row(kWmfKind, R, K::kOptionSquare, 3060, 3300, 195, 195)
        .Shows("kind-wmf")
        .DisabledBy("use-sample"),
    Row(kWmfKindCaption, R, K::kClickableCaption, 3300, 3300, 600, 195, "*.wmf").ActsOn(kWmfKind),
    Row(kPngKind, R, K::kOptionSquare, 3060, 3540, 195, 195)
        .Shows("kind-png")
        .DisabledBy("use-sample"),
    Row(kPngKindCaption, R, K::kClickableCaption, 3300, 3540, 600, 195, "*.png").ActsOn(kPngKind),
    Row(kFolderButton, R, K::kButton, 180, 3840, 2535, 375, "背景画像をﾌｫﾙﾀﾞで指定...")
        .DisabledBy("use-sample")
        .Key('O'),
    // Wide enough for a full list's count ("32767") at every DPI.
    Row(kPictureCount, R, K::kValueField, 2760, 3960, 780, 255),
    Row(kLblSheets, R, K::kLabel, 3585, 4020, 255, 195, "枚"),
    Row(kFolderPath, R, K::kPathField, 180, 4320, 4215, 255).Shows("folder"),
    Row(kChkSubfolders, R, K::kCheckBox, 180, 4650, 195, 195)
        .Shows("subfolders")
        .DisabledBy("use-sample"),
    Row(kLblSubfolders, R, K::kClickableCaption, 420, 4650, 1800, 195, "ｻﾌﾞﾌｫﾙﾀﾞも含む")
        .ActsOn(kChkSubfolders),
    Row(kLblIntervalHeading, R, K::kLabel, 180, 4920, 2745, 195, "・ 背景画像ﾁｪﾝｼﾞのｲﾝﾀｰﾊﾞﾙ（秒）"),
    Row(kIntervalBar, R, K::kHScrollBar, 360, 5220, 1815, 255)
        .Range(10, 600, 10, 10, 30)
        .Shows("interval")
        .DisabledBy("use-sample")
        .HeadedBy(kLblIntervalHeading, 'I'),
    Row(kIntervalValue, R, K::kValueField, 2280, 5220, 495, 255).Shows("interval"),
    Row(kLblSeconds, R, K::kLabel, 2820, 5280, 255, 195, "秒"),
    // The order's squares two by two beside the interval, in reading order of their values.
    Row(kLblOrderHeading, R, K::kLabel, 3240, 4920, 1200, 195, "・ 画像の順序"),
    Row(kListedOrder, R, K::kOptionSquare, 3240, 5220, 195, 195)
        .Selects("order", 0)
        .DisabledBy("use-sample")
        .Key('N', kLblOrderHeading),
    Row(kListedOrderCaption, R, K::kClickableCaption, 3465, 5220, 390, 195, "標準")
        .ActsOn(kListedOrder),
    Row(kNameOrder, R, K::kOptionSquare, 3900, 5220, 195, 195)
        .Selects("order", 1)
        .DisabledBy("use-sample"),
    Row(kNameOrderCaption, R, K::kClickableCaption, 4125, 5220, 510, 195, "名前")
        .ActsOn(kNameOrder),
    Row(kDateOrder, R, K::kOptionSquare, 3240, 5450, 195, 195)
        .Selects("order", 2)
        .DisabledBy("use-sample"),
    Row(kDateOrderCaption, R, K::kClickableCaption, 3465, 5450, 390, 195, "日付")
        .ActsOn(kDateOrder),
    Row(kShuffledOrder, R, K::kOptionSquare, 3900, 5450, 195, 195)
        .Selects("order", 3)
        .DisabledBy("use-sample"),
    Row(kShuffledOrderCaption, R, K::kClickableCaption, 4125, 5450, 510, 195, "ﾗﾝﾀﾞﾑ")
        .ActsOn(kShuffledOrder),
    Row(kLblPictureSizeHeading, R, K::kLabel, 180, 5640, 1545, 195, "・ 処理画像のｻｲｽﾞ"),
    Row(kOwnSize, R, K::kOptionSquare, 1920, 5700, 195, 195)
        .Selects("fit", 0)
        .DisabledBy("use-sample")
        .Key('Z', kLblPictureSizeHeading),
    Row(kOwnSizeCaption, R, K::kClickableCaption, 2160, 5700, 630, 195, "ｵﾘｼﾞﾅﾙ").ActsOn(kOwnSize),
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

// The window's controls: every row, but the link only when the build has a homepage, since
// without one there is nothing to open.
constexpr bool kHasHomepage = !std::string_view(VELNOR_HOMEPAGE_URL).empty();

template <std::size_t N>
std::array<ControlSpec, N - (kHasHomepage ? 0 : 1)> ShownControls(
    const std::array<ControlSpec, N>& rows) {
    std::array<ControlSpec, N - (kHasHomepage ? 0 : 1)> shown{};
    std::size_t next = 0;
    for (const ControlSpec& row : rows) {
        if (kHasHomepage || row.id != kHomepageLink) shown[next++] = row;
    }
    return shown;
}

const auto kShown = ShownControls(kControls);

}  // namespace

std::span<const ControlSpec> DialogControls() {
    return kShown;
}

const ControlSpec* FindControl(int id) {
    const auto found =
        std::find_if(kControls.begin(), kControls.end(),
                     [id](const ControlSpec& layoutEntry) { return layoutEntry.id == id; });
    return found == kControls.end() ? nullptr : &*found;
}

std::string_view HomepageUrl() {
    return VELNOR_HOMEPAGE_URL;
}
std::string_view CreditLine() {
    return VELNOR_CREDIT_LINE;
}

}  // namespace velnor
