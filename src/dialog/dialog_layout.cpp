// The dialog's control table, one row per control. A row reads like the layout tables (ID,
// parent panel, kind, Left, Top, Width x Height in twips, caption), then says what the
// control does: the setting it shows and edits, the control a caption clicks with, what
// enables it, what names it and its Alt+letter key (dialog_layout_rows.h).
#include "dialog/dialog_layout.h"

#include <algorithm>
#include <array>

#include "dialog/control_ids.h"
#include "dialog/dialog_layout_picture_side.h"
#include "dialog/dialog_layout_rows.h"

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
constexpr ColourRef kRed = 0x0000FF;
constexpr ColourRef kTeal = 0x808000;  // RGB 0, 128, 128
constexpr ColourRef kBlue = 0xFF0000;

// The colour bars sit 240 twips apart; at the usual 255 twips the neighbours would share
// a pixel row, so they are one pixel less tall.
constexpr int kColourBarHeight = 240;

constexpr int L = kPicPanelLeft;
constexpr int C = kContentPanel;

// The captions of the dialog are fixed texts with no room for a "(&X)" added to them, so
// the Alt+letter keys are the dialog's own: English initials of what the control does.
constexpr auto kBallSideRows = std::to_array<ControlSpec>({
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
});

// The whole table: the ball side, the bottom row, then the picture side.
template <std::size_t A, std::size_t B>
constexpr std::array<ControlSpec, A + B> Joined(const std::array<ControlSpec, A>& first,
                                                const std::array<ControlSpec, B>& second) {
    std::array<ControlSpec, A + B> all{};
    std::copy(first.begin(), first.end(), all.begin());
    std::copy(second.begin(), second.end(), all.begin() + A);
    return all;
}

constexpr auto kControls = Joined(kBallSideRows, kPictureSideRows);

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
