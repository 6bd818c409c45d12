// The dialog's control table. Rows read like the layout tables: ID, parent panel, kind,
// Left, Top, Width x Height in twips, caption; scroll ranges, colours and clickable
// captions' partners are added with the small helpers below.
#include "dialog/dialog_layout.h"

#include <algorithm>
#include <array>

#include "dialog/control_ids.h"

#ifndef VELNOR_HOMEPAGE_URL
#define VELNOR_HOMEPAGE_URL ""
#endif
#ifndef VELNOR_CREDIT_LINE
#define VELNOR_CREDIT_LINE "Velnor  Version 1.1.0"
#endif

namespace velnor {
namespace {

using namespace control_id;
using K = ControlKind;

constexpr ColourRef kBlack = 0x000000;
constexpr ColourRef kWhite = 0xFFFFFF;
constexpr ColourRef kRed = 0x0000FF;
constexpr ColourRef kTeal = 0x808000;  // RGB 0, 128, 128
constexpr ColourRef kBlue = 0xFF0000;
constexpr ColourRef kFieldGrey = 0xE0E0E0;  // RGB 224, 224, 224

constexpr ControlSpec Row(int id, int parent, ControlKind kind, int left, int top, int width,
                          int height, std::string_view caption = {}) {
    ControlSpec layoutEntry;
    layoutEntry.id = id;
    layoutEntry.parent = parent;
    layoutEntry.kind = kind;
    layoutEntry.left = left;
    layoutEntry.top = top;
    layoutEntry.width = width;
    layoutEntry.height = height;
    layoutEntry.caption = caption;
    if (kind == K::kValueField || kind == K::kPathField || kind == K::kPictureBox) {
        layoutEntry.backColour = kFieldGrey;
    }
    return layoutEntry;
}

constexpr ControlSpec Range(ControlSpec layoutEntry, int min, int max, int small, int large,
                            int initial) {
    layoutEntry.range =
        ScrollRange{static_cast<std::int16_t>(min), static_cast<std::int16_t>(max),
                    static_cast<std::int16_t>(small), static_cast<std::int16_t>(large)};
    layoutEntry.initialValue = initial;
    return layoutEntry;
}

constexpr ControlSpec Checked(ControlSpec layoutEntry) {
    layoutEntry.initialValue = 1;
    return layoutEntry;
}

constexpr ControlSpec Text(ControlSpec layoutEntry, ColourRef colour) {
    layoutEntry.textColour = colour;
    return layoutEntry;
}

constexpr ControlSpec Back(ControlSpec layoutEntry, ColourRef colour) {
    layoutEntry.backColour = colour;
    return layoutEntry;
}

constexpr ControlSpec Shows(ControlSpec layoutEntry, std::string_view setting) {
    layoutEntry.shows = setting;
    return layoutEntry;
}

constexpr ControlSpec Selects(ControlSpec layoutEntry, std::string_view setting, int value) {
    layoutEntry.shows = setting;
    layoutEntry.selects = value;
    return layoutEntry;
}

constexpr ControlSpec ActsOn(ControlSpec layoutEntry, int partner) {
    layoutEntry.partner = partner;
    return layoutEntry;
}

// The colour bars sit 240 twips apart; at the usual 255 twips the neighbours would share
// a pixel row, so they are one pixel less tall.
constexpr int kColourBarHeight = 240;

constexpr int L = kPicPanelLeft;
constexpr int R = kPicPanelRight;
constexpr int C = kPicC;

const std::array kControls = {
    // The window's content and its three big boxes.
    Row(kPicC, 0, K::kPanel, 0, 0, 12435, 6375),
    Row(kPicPanelLeft, C, K::kPanel, 180, 180, 2595, 5955),
    Back(Row(kPicPrev, C, K::kPreview, 2940, 180, 4500, 4500), kBlack),
    Row(kPicPanelRight, C, K::kPanel, 7560, 180, 4635, 5955),

    // Left panel: shape, perspective, depth, ball colour, line colours, speed, size.
    Row(kLblShapeHeading, L, K::kLabel, 120, 180, 1560, 195, "・ 外観 (球体 = 10)"),
    Shows(Row(kLblAsp, L, K::kValueField, 300, 420, 495, 255), "shape"),
    Shows(Range(Row(kAspV, L, K::kSpin, 780, 420, 255, 270), -16, -4, 1, 1, -10), "shape"),
    Shows(Row(kChkRdm0, L, K::kCheckBox, 1260, 480, 195, 195), "random-shape"),
    ActsOn(Row(kLblRdm0, L, K::kClickableCaption, 1500, 480, 480, 195, "ﾗﾝﾀﾞﾑ"), kChkRdm0),
    Row(kLblPerspectiveHeading, L, K::kLabel, 120, 900, 1500, 195, "・ 透視（遠近)画法"),
    Selects(Row(kPicPer0, L, K::kOptionSquare, 300, 1140, 195, 195), "perspective", 0),
    ActsOn(Row(kLblPer0, L, K::kClickableCaption, 540, 1140, 225, 195, "off"), kPicPer0),
    Selects(Row(kPicPer1, L, K::kOptionSquare, 1260, 1140, 195, 195), "perspective", 1),
    ActsOn(Row(kLblPer1, L, K::kClickableCaption, 1500, 1140, 210, 195, "on"), kPicPer1),
    Row(kLblDepthHeading, L, K::kLabel, 120, 1560, 1845, 195, "・ 透視図（遠近)の深さ"),
    Shows(Row(kLblDepth, L, K::kValueField, 300, 1800, 495, 255), "depth"),
    Shows(Range(Row(kDepthV, L, K::kSpin, 780, 1800, 255, 270), -25, -12, 1, 1, -25), "depth"),
    Shows(Row(kChkRdm1, L, K::kCheckBox, 1260, 1860, 195, 195), "random-depth"),
    ActsOn(Row(kLblRdm1, L, K::kClickableCaption, 1500, 1860, 480, 195, "ﾗﾝﾀﾞﾑ"), kChkRdm1),
    Row(kLblColourHeading, L, K::kLabel, 120, 2280, 2085, 195, "・ 公転球の色設定 (RGB)"),
    Text(Row(kLblRed, L, K::kLabel, 360, 2580, 255, 195, "赤"), kRed),
    Shows(
        Range(Row(kHRgb0, L, K::kHScrollBar, 660, 2520, 1635, kColourBarHeight), 0, 127, 1, 10, 0),
        "ball-red"),
    Text(Row(kLblGreen, L, K::kLabel, 360, 2820, 255, 195, "緑"), kTeal),
    Shows(
        Range(Row(kHRgb1, L, K::kHScrollBar, 660, 2760, 1635, kColourBarHeight), 0, 127, 1, 10, 0),
        "ball-green"),
    Text(Row(kLblBlue, L, K::kLabel, 360, 3060, 255, 195, "青"), kBlue),
    Shows(
        Range(Row(kHRgb2, L, K::kHScrollBar, 660, 3000, 1635, kColourBarHeight), 0, 127, 1, 10, 0),
        "ball-blue"),
    Shows(Row(kChkRdm2, L, K::kCheckBox, 1260, 3360, 195, 195), "random-colour"),
    ActsOn(Row(kLblRdm2, L, K::kClickableCaption, 1500, 3360, 480, 195, "ﾗﾝﾀﾞﾑ"), kChkRdm2),
    Row(kLblLineColourHeading, L, K::kLabel, 120, 3780, 1530, 195, "・ その他の色指定"),
    Row(kCmdColor1, L, K::kButton, 360, 4020, 915, 375, "緯度"),
    Row(kCmdColor2, L, K::kButton, 1380, 4020, 915, 375, "経度"),
    Row(kLblSpeedHeading, L, K::kLabel, 120, 4560, 510, 195, "・ 速さ"),
    Row(kLblFast, L, K::kLabel, 780, 4800, 255, 195, "速"),
    Shows(Range(Row(kHsFast, L, K::kHScrollBar, 1080, 4740, 1035, 255), 0, 10, 1, 1, 1), "speed"),
    Row(kLblSlow, L, K::kLabel, 2160, 4800, 255, 195, "遅"),
    Row(kLblSizeHeading, L, K::kLabel, 120, 5220, 675, 195, "・ 大きさ"),
    Row(kLblSmall, L, K::kLabel, 780, 5460, 255, 195, "小"),
    Shows(Range(Row(kHScale, L, K::kHScrollBar, 1080, 5400, 1035, 255), 96, 384, 1, 16, 144),
          "scale"),
    Row(kLblLarge, L, K::kLabel, 2160, 5460, 255, 195, "大"),

    // Bottom row of the content panel.
    Text(Row(kLblUrl, C, K::kClickableCaption, 2940, 5100, 3210, 195, VELNOR_HOMEPAGE_URL), kBlue),
    Row(kLblCredit, C, K::kLabel, 2940, 5460, 2520, 195, VELNOR_CREDIT_LINE),
    Row(kCmdInit, C, K::kButton, 2940, 5760, 1395, 375, "初期設定"),
    Row(kCmdOk, C, K::kButton, 4440, 5760, 1455, 375, "設定"),
    Row(kCmdCan, C, K::kButton, 6000, 5760, 1395, 375, "ｷｬﾝｾﾙ"),

    // Right panel: picture sources.
    Shows(Checked(Row(kChkSample, R, K::kCheckBox, 120, 120, 195, 195)), "use-sample"),
    ActsOn(Row(kLblSample, R, K::kClickableCaption, 360, 120, 1455, 195, "ｻﾝﾌﾟﾙ画像を使用"),
           kChkSample),
    Selects(Row(kPicSample0, R, K::kOptionSquare, 2100, 120, 195, 195), "sample-choice", 0),
    ActsOn(Row(kLblSample0, R, K::kClickableCaption, 2400, 120, 105, 195, "1"), kPicSample0),
    Selects(Row(kPicSample1, R, K::kOptionSquare, 2100, 420, 195, 195), "sample-choice", 1),
    ActsOn(Row(kLblSample1, R, K::kClickableCaption, 2400, 420, 105, 195, "2"), kPicSample1),
    Row(kLblPicturePreviewHeading, R, K::kLabel, 2880, 120, 1380, 195, "・ 画像のﾌﾟﾚﾋﾞｭｰ"),
    Row(kPicK, R, K::kPictureBox, 2880, 420, 1500, 1500),
    Row(kLblFileNameHeading, R, K::kLabel, 180, 780, 1785, 195, "・ 背景画像のﾌｧｲﾙ名"),
    Back(Row(kList1, R, K::kListBox, 180, 1080, 2535, 2595), kWhite),
    // Wide enough for the size of a picture of four-digit sides, at every DPI.
    Row(kLblPreSize, R, K::kLabel, 2760, 2040, 1815, 195, "Size : 9999 * 999"),
    Row(kLblKindHeading, R, K::kLabel, 2880, 2340, 1140, 195, "・ 画像の種類"),
    Shows(Row(kPicKind0, R, K::kOptionSquare, 3060, 2640, 195, 195), "kind-bmp"),
    ActsOn(Row(kLblKind0, R, K::kClickableCaption, 3300, 2640, 600, 195, "*.bmp"), kPicKind0),
    Shows(Row(kPicKind1, R, K::kOptionSquare, 3060, 2940, 195, 195), "kind-gif"),
    ActsOn(Row(kLblKind1, R, K::kClickableCaption, 3300, 2940, 600, 195, "*.gif"), kPicKind1),
    Shows(Row(kPicKind2, R, K::kOptionSquare, 3060, 3240, 195, 195), "kind-jpg"),
    ActsOn(Row(kLblKind2, R, K::kClickableCaption, 3300, 3240, 600, 195, "*.jpg"), kPicKind2),
    Shows(Row(kPicKind3, R, K::kOptionSquare, 3060, 3540, 195, 195), "kind-wmf"),
    ActsOn(Row(kLblKind3, R, K::kClickableCaption, 3300, 3540, 600, 195, "*.wmf"), kPicKind3),
    Row(kFolder, R, K::kButton, 180, 3840, 2535, 375, "背景画像をﾌｫﾙﾀﾞで指定..."),
    // Wide enough for a full list's count ("32767") at every DPI.
    Row(kLblKei, R, K::kValueField, 2760, 3960, 780, 255),
    Row(kLblSheets, R, K::kLabel, 3585, 4020, 255, 195, "枚"),
    Shows(Row(kFolderPath, R, K::kPathField, 180, 4320, 4215, 255), "folder"),
    Row(kLblIntervalHeading, R, K::kLabel, 180, 4680, 2745, 195, "・ 背景画像ﾁｪﾝｼﾞのｲﾝﾀｰﾊﾞﾙ（秒）"),
    Shows(Range(Row(kIntval, R, K::kHScrollBar, 360, 4980, 1815, 255), 10, 600, 10, 10, 30),
          "interval"),
    Shows(Row(kLblIntval, R, K::kValueField, 2280, 4980, 495, 255), "interval"),
    Row(kLblSeconds, R, K::kLabel, 2820, 5040, 255, 195, "秒"),
    Row(kLblPictureSizeHeading, R, K::kLabel, 180, 5400, 1545, 195, "・ 処理画像のｻｲｽﾞ"),
    Selects(Row(kPicSize0, R, K::kOptionSquare, 1920, 5460, 195, 195), "fit", 0),
    ActsOn(Row(kLblSize0, R, K::kClickableCaption, 2160, 5460, 630, 195, "ｵﾘｼﾞﾅﾙ"), kPicSize0),
    Selects(Row(kPicSize1, R, K::kOptionSquare, 2940, 5460, 195, 195), "fit", 1),
    ActsOn(Row(kLblSize1, R, K::kClickableCaption, 3180, 5460, 630, 195, "全画面"), kPicSize1),
};

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
