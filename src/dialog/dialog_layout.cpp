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
constexpr int C = kPicC;

// The captions of the dialog are fixed texts with no room for a "(&X)" added to them, so
// the Alt+letter keys are the dialog's own: English initials of what the control does.
const auto kControls = std::to_array<ControlSpec>({
    // The window's content and its three big boxes.
    Row(kPicC, 0, K::kPanel, 0, 0, 12435, 6375),
    Row(kPicPanelLeft, C, K::kPanel, 180, 180, 2595, 5955),
    Row(kPicPrev, C, K::kPreview, 2940, 180, 4500, 4500).Back(kBlack),
    Row(kPicPanelRight, C, K::kPanel, 7560, 180, 4635, 5955),

    // Left panel: shape, perspective, depth, ball colour, line colours, speed, size.
    Row(kLblShapeHeading, L, K::kLabel, 120, 180, 1560, 195, "・ 外観 (球体 = 10)"),
    Row(kLblAsp, L, K::kValueField, 300, 420, 495, 255).Shows("shape"),
    Row(kAspV, L, K::kSpin, 780, 420, 255, 270)
        .Range(-16, -4, 1, 1, -10)
        .Shows("shape")
        .Previewed()
        .HeadedBy(kLblShapeHeading, 'A'),
    Row(kChkRdm0, L, K::kCheckBox, 1260, 480, 195, 195).Shows("random-shape"),
    Row(kLblRdm0, L, K::kClickableCaption, 1500, 480, 480, 195, "ﾗﾝﾀﾞﾑ").ActsOn(kChkRdm0),
    Row(kLblPerspectiveHeading, L, K::kLabel, 120, 900, 1500, 195, "・ 透視（遠近)画法"),
    Row(kPicPer0, L, K::kOptionSquare, 300, 1140, 195, 195)
        .Selects("perspective", 0)
        .Previewed()
        .Key('P', kLblPerspectiveHeading),
    Row(kLblPer0, L, K::kClickableCaption, 540, 1140, 225, 195, "off").ActsOn(kPicPer0),
    Row(kPicPer1, L, K::kOptionSquare, 1260, 1140, 195, 195).Selects("perspective", 1).Previewed(),
    Row(kLblPer1, L, K::kClickableCaption, 1500, 1140, 210, 195, "on").ActsOn(kPicPer1),
    Row(kLblDepthHeading, L, K::kLabel, 120, 1560, 1845, 195, "・ 透視図（遠近)の深さ"),
    Row(kLblDepth, L, K::kValueField, 300, 1800, 495, 255).Shows("depth"),
    Row(kDepthV, L, K::kSpin, 780, 1800, 255, 270)
        .Range(-25, -12, 1, 1, -25)
        .Shows("depth")
        .Previewed()
        .EnabledBy("perspective")
        .HeadedBy(kLblDepthHeading, 'E'),
    Row(kChkRdm1, L, K::kCheckBox, 1260, 1860, 195, 195)
        .Shows("random-depth")
        .EnabledBy("perspective"),
    Row(kLblRdm1, L, K::kClickableCaption, 1500, 1860, 480, 195, "ﾗﾝﾀﾞﾑ").ActsOn(kChkRdm1),
    Row(kLblColourHeading, L, K::kLabel, 120, 2280, 2085, 195, "・ 公転球の色設定 (RGB)"),
    Row(kLblRed, L, K::kLabel, 360, 2580, 255, 195, "赤").Text(kRed),
    Row(kHRgb0, L, K::kHScrollBar, 660, 2520, 1635, kColourBarHeight)
        .Range(0, 127, 1, 10, 0)
        .Shows("ball-red")
        .Previewed()
        .NamedBy(kLblRed)
        .Key('R', kLblColourHeading),
    Row(kLblGreen, L, K::kLabel, 360, 2820, 255, 195, "緑").Text(kTeal),
    Row(kHRgb1, L, K::kHScrollBar, 660, 2760, 1635, kColourBarHeight)
        .Range(0, 127, 1, 10, 0)
        .Shows("ball-green")
        .Previewed()
        .NamedBy(kLblGreen),
    Row(kLblBlue, L, K::kLabel, 360, 3060, 255, 195, "青").Text(kBlue),
    Row(kHRgb2, L, K::kHScrollBar, 660, 3000, 1635, kColourBarHeight)
        .Range(0, 127, 1, 10, 0)
        .Shows("ball-blue")
        .Previewed()
        .NamedBy(kLblBlue),
    Row(kChkRdm2, L, K::kCheckBox, 1260, 3360, 195, 195).Shows("random-colour"),
    Row(kLblRdm2, L, K::kClickableCaption, 1500, 3360, 480, 195, "ﾗﾝﾀﾞﾑ").ActsOn(kChkRdm2),
    Row(kLblLineColourHeading, L, K::kLabel, 120, 3780, 1530, 195, "・ その他の色指定"),
    Row(kCmdColor1, L, K::kButton, 360, 4020, 915, 375, "緯度").Key('L', kLblLineColourHeading),
    Row(kCmdColor2, L, K::kButton, 1380, 4020, 915, 375, "経度"),
    Row(kLblSpeedHeading, L, K::kLabel, 120, 4560, 510, 195, "・ 速さ"),
    Row(kLblFast, L, K::kLabel, 780, 4800, 255, 195, "速"),
    Row(kHsFast, L, K::kHScrollBar, 1080, 4740, 1035, 255)
        .Range(0, 10, 1, 1, 1)
        .Shows("speed")
        .HeadedBy(kLblSpeedHeading, 'V'),
    Row(kLblSlow, L, K::kLabel, 2160, 4800, 255, 195, "遅"),
    Row(kLblSizeHeading, L, K::kLabel, 120, 5220, 675, 195, "・ 大きさ"),
    Row(kLblSmall, L, K::kLabel, 780, 5460, 255, 195, "小"),
    Row(kHScale, L, K::kHScrollBar, 1080, 5400, 1035, 255)
        .Range(96, 384, 1, 16, 144)
        .Shows("scale")
        .Previewed()
        .HeadedBy(kLblSizeHeading, 'B'),
    Row(kLblLarge, L, K::kLabel, 2160, 5460, 255, 195, "大"),

    // Bottom row of the content panel.
    Row(kLblUrl, C, K::kClickableCaption, 2940, 5100, 3210, 195, VELNOR_HOMEPAGE_URL).Text(kBlue),
    Row(kLblCredit, C, K::kLabel, 2940, 5460, 2520, 195, VELNOR_CREDIT_LINE),
    Row(kCmdInit, C, K::kButton, 2940, 5760, 1395, 375, "初期設定").Key('D'),
    Row(kCmdOk, C, K::kButton, 4440, 5760, 1455, 375, "設定").Key('S'),
    Row(kCmdCan, C, K::kButton, 6000, 5760, 1395, 375, "ｷｬﾝｾﾙ").Key('C'),

    // Right panel: picture sources. The sample pictures' controls are enabled with the
    // sample, the folder's without it.
    Row(kChkSample, R, K::kCheckBox, 120, 120, 195, 195).Checked().Shows("use-sample"),
    Row(kLblSample, R, K::kClickableCaption, 360, 120, 1455, 195, "ｻﾝﾌﾟﾙ画像を使用")
        .ActsOn(kChkSample),
    Row(kPicSample0, R, K::kOptionSquare, 2100, 120, 195, 195)
        .Selects("sample-choice", 0)
        .EnabledBy("use-sample"),
    Row(kLblSample0, R, K::kClickableCaption, 2400, 120, 105, 195, "1").ActsOn(kPicSample0),
    Row(kPicSample1, R, K::kOptionSquare, 2100, 420, 195, 195)
        .Selects("sample-choice", 1)
        .EnabledBy("use-sample"),
    Row(kLblSample1, R, K::kClickableCaption, 2400, 420, 105, 195, "2").ActsOn(kPicSample1),
    Row(kLblPicturePreviewHeading, R, K::kLabel, 2880, 120, 1380, 195, "・ 画像のﾌﾟﾚﾋﾞｭｰ"),
    Row(kPicK, R, K::kPictureBox, 2880, 420, 1500, 1500),
    Row(kLblFileNameHeading, R, K::kLabel, 180, 780, 1785, 195, "・ 背景画像のﾌｧｲﾙ名"),
    Row(kList1, R, K::kListBox, 180, 1080, 2535, 2595)
        .Back(kWhite)
        .DisabledBy("use-sample")
        .HeadedBy(kLblFileNameHeading, 'F'),
    // Wide enough for the size of a picture of four-digit sides, at every DPI.
    Row(kLblPreSize, R, K::kLabel, 2760, 2040, 1815, 195, "Size : 9999 * 999"),
    Row(kLblKindHeading, R, K::kLabel, 2880, 2340, 1140, 195, "・ 画像の種類"),
    Row(kPicKind0, R, K::kOptionSquare, 3060, 2580, 195, 195)
        .Shows("kind-bmp")
        .DisabledBy("use-sample")
        .Key('K', kLblKindHeading),
    Row(kLblKind0, R, K::kClickableCaption, 3300, 2580, 600, 195, "*.bmp").ActsOn(kPicKind0),
    Row(kPicKind1, R, K::kOptionSquare, 3060, 2820, 195, 195)
        .Shows("kind-gif")
        .DisabledBy("use-sample"),
    Row(kLblKind1, R, K::kClickableCaption, 3300, 2820, 600, 195, "*.gif").ActsOn(kPicKind1),
    Row(kPicKind2, R, K::kOptionSquare, 3060, 3060, 195, 195)
        .Shows("kind-jpg")
        .DisabledBy("use-sample"),
    Row(kLblKind2, R, K::kClickableCaption, 3300, 3060, 600, 195, "*.jpg").ActsOn(kPicKind2),
    Row(kPicKind3, R, K::kOptionSquare, 3060, 3300, 195, 195)
        .Shows("kind-wmf")
        .DisabledBy("use-sample"),
    Row(kLblKind3, R, K::kClickableCaption, 3300, 3300, 600, 195, "*.wmf").ActsOn(kPicKind3),
    Row(kPicKind4, R, K::kOptionSquare, 3060, 3540, 195, 195)
        .Shows("kind-png")
        .DisabledBy("use-sample"),
    Row(kLblKind4, R, K::kClickableCaption, 3300, 3540, 600, 195, "*.png").ActsOn(kPicKind4),
    Row(kFolder, R, K::kButton, 180, 3840, 2535, 375, "背景画像をﾌｫﾙﾀﾞで指定...")
        .DisabledBy("use-sample")
        .Key('O'),
    // Wide enough for a full list's count ("32767") at every DPI.
    Row(kLblKei, R, K::kValueField, 2760, 3960, 780, 255),
    Row(kLblSheets, R, K::kLabel, 3585, 4020, 255, 195, "枚"),
    Row(kFolderPath, R, K::kPathField, 180, 4320, 4215, 255).Shows("folder"),
    Row(kChkSubfolders, R, K::kCheckBox, 180, 4650, 195, 195)
        .Shows("subfolders")
        .DisabledBy("use-sample"),
    Row(kLblSubfolders, R, K::kClickableCaption, 420, 4650, 1800, 195, "ｻﾌﾞﾌｫﾙﾀﾞも含む")
        .ActsOn(kChkSubfolders),
    Row(kLblIntervalHeading, R, K::kLabel, 180, 4920, 2745, 195, "・ 背景画像ﾁｪﾝｼﾞのｲﾝﾀｰﾊﾞﾙ（秒）"),
    Row(kIntval, R, K::kHScrollBar, 360, 5220, 1815, 255)
        .Range(10, 600, 10, 10, 30)
        .Shows("interval")
        .DisabledBy("use-sample")
        .HeadedBy(kLblIntervalHeading, 'I'),
    Row(kLblIntval, R, K::kValueField, 2280, 5220, 495, 255).Shows("interval"),
    Row(kLblSeconds, R, K::kLabel, 2820, 5280, 255, 195, "秒"),
    // The order's squares two by two beside the interval, in reading order of their values.
    Row(kLblOrderHeading, R, K::kLabel, 3240, 4920, 1200, 195, "・ 画像の順序"),
    Row(kPicOrder0, R, K::kOptionSquare, 3240, 5220, 195, 195)
        .Selects("order", 0)
        .DisabledBy("use-sample")
        .Key('N', kLblOrderHeading),
    Row(kLblOrder0, R, K::kClickableCaption, 3465, 5220, 390, 195, "標準").ActsOn(kPicOrder0),
    Row(kPicOrder1, R, K::kOptionSquare, 3900, 5220, 195, 195)
        .Selects("order", 1)
        .DisabledBy("use-sample"),
    Row(kLblOrder1, R, K::kClickableCaption, 4125, 5220, 510, 195, "名前").ActsOn(kPicOrder1),
    Row(kPicOrder2, R, K::kOptionSquare, 3240, 5450, 195, 195)
        .Selects("order", 2)
        .DisabledBy("use-sample"),
    Row(kLblOrder2, R, K::kClickableCaption, 3465, 5450, 390, 195, "日付").ActsOn(kPicOrder2),
    Row(kPicOrder3, R, K::kOptionSquare, 3900, 5450, 195, 195)
        .Selects("order", 3)
        .DisabledBy("use-sample"),
    Row(kLblOrder3, R, K::kClickableCaption, 4125, 5450, 510, 195, "ﾗﾝﾀﾞﾑ").ActsOn(kPicOrder3),
    Row(kLblPictureSizeHeading, R, K::kLabel, 180, 5640, 1545, 195, "・ 処理画像のｻｲｽﾞ"),
    Row(kPicSize0, R, K::kOptionSquare, 1920, 5700, 195, 195)
        .Selects("fit", 0)
        .DisabledBy("use-sample")
        .Key('Z', kLblPictureSizeHeading),
    Row(kLblSize0, R, K::kClickableCaption, 2160, 5700, 630, 195, "ｵﾘｼﾞﾅﾙ").ActsOn(kPicSize0),
    Row(kPicSize1, R, K::kOptionSquare, 2940, 5700, 195, 195)
        .Selects("fit", 1)
        .DisabledBy("use-sample"),
    Row(kLblSize1, R, K::kClickableCaption, 3180, 5700, 630, 195, "全画面").ActsOn(kPicSize1),
    Row(kPicSize2, R, K::kOptionSquare, 3900, 5700, 195, 195)
        .Selects("fit", kWholePictureSize)
        .DisabledBy("use-sample"),
    Row(kLblSize2, R, K::kClickableCaption, 4140, 5700, 420, 195, "全体").ActsOn(kPicSize2),
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
        if (kHasHomepage || row.id != kLblUrl) shown[next++] = row;
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
