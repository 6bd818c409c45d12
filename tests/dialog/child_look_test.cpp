// The paint plan and input kind of the dialog's owner-drawn children, checked over the
// real layout table, and the caption underline's place.
#include "dialog/child_look.h"

#include <gtest/gtest.h>

#include "dialog/control_ids.h"
#include "dialog/dialog_notices.h"

namespace velnor {
namespace {

using namespace control_id;

ChildLook LookOfId(int id, std::optional<bool> selected = std::nullopt, bool enabled = true) {
    const ControlSpec* control = FindControl(id);
    EXPECT_NE(control, nullptr) << id;
    return control ? LookOf(*control, selected, enabled) : ChildLook{};
}

TEST(DialogChildLook, OptionSquaresShowTheirStateInColourAndEdge) {
    const ChildLook never = LookOfId(kPerspectiveOff, std::nullopt);
    EXPECT_EQ(never.background, ChildBackground::kColour);
    EXPECT_EQ(never.backColour, 0xFFFFFF);  // white until a rule shows the square
    EXPECT_EQ(never.edge, ChildEdge::kNone);
    const ChildLook selected = LookOfId(kPerspectiveOff, true);
    EXPECT_EQ(selected.backColour, 0x00FFFF);  // yellow in 0x00BBGGRR
    EXPECT_EQ(selected.edge, ChildEdge::kSunken);
    const ChildLook unselected = LookOfId(kPerspectiveOn, false);
    EXPECT_EQ(unselected.backColour, 0xC0C0C0);
    EXPECT_EQ(unselected.edge, ChildEdge::kRaised);
    EXPECT_FALSE(selected.showsText || unselected.showsText);
}

TEST(DialogChildLook, CaptionsAndFieldsPlaceTheirTextByKind) {
    const ChildLook heading = LookOfId(kLblShapeHeading);
    EXPECT_EQ(heading.background, ChildBackground::kParentTexture);
    EXPECT_EQ(heading.edge, ChildEdge::kNone);
    EXPECT_TRUE(heading.showsText);
    EXPECT_FALSE(heading.alignRight || heading.centreVertically || heading.underline);
    EXPECT_EQ(heading.textInset, 0);

    const ChildLook value = LookOfId(kShapeValue);
    EXPECT_EQ(value.background, ChildBackground::kColour);
    EXPECT_EQ(value.backColour, FindControl(kShapeValue)->backColour);
    EXPECT_EQ(value.edge, ChildEdge::kThinSunken);
    EXPECT_TRUE(value.alignRight && value.centreVertically);
    EXPECT_EQ(value.textInset, 3);

    const ChildLook link = LookOfId(kHomepageLink);
    EXPECT_TRUE(link.underline);
    EXPECT_FALSE(link.alignRight);

    // The colour captions keep their own text colour; a disabled one turns grey.
    EXPECT_EQ(LookOfId(kLblRed).textColour, FindControl(kLblRed)->textColour);
    EXPECT_FALSE(LookOfId(kLblRed).greyText);
    EXPECT_TRUE(LookOfId(kLblRed, std::nullopt, false).greyText);

    for (const ControlSpec& control : DialogControls()) {
        if (control.kind != ControlKind::kPathField) continue;
        const ChildLook path = LookOf(control, std::nullopt, true);
        EXPECT_TRUE(path.centreVertically && !path.alignRight) << NameOf(control.id);
        EXPECT_EQ(path.edge, ChildEdge::kThinSunken) << NameOf(control.id);
        EXPECT_TRUE(path.mark.empty()) << NameOf(control.id);
        // A folder not found now keeps its path, in grey and marked.
        const ChildLook missing = LookOf(control, std::nullopt, true, false, true);
        EXPECT_TRUE(missing.greyText && missing.pathEllipsis) << NameOf(control.id);
        EXPECT_EQ(missing.mark, kMissingFolderMark) << NameOf(control.id);
    }
    EXPECT_TRUE(LookOf(*FindControl(kLblRed), std::nullopt, true, false, true).mark.empty());
}

TEST(DialogChildLook, PanelsPicturesAndTheContentPanelEdge) {
    EXPECT_EQ(LookOfId(kContentPanel).background, ChildBackground::kOwnTexture);
    EXPECT_EQ(LookOfId(kContentPanel).edge, ChildEdge::kNone);  // covers the whole window
    EXPECT_EQ(LookOfId(kPicPanelLeft).edge, ChildEdge::kThinSunken);
    EXPECT_EQ(LookOfId(kPicPanelRight).edge, ChildEdge::kThinSunken);

    const ChildLook preview = LookOfId(kPreviewBox);
    EXPECT_EQ(preview.picture, ChildPicture::kPreview);
    EXPECT_EQ(preview.backColour, 0);
    EXPECT_EQ(preview.edge, ChildEdge::kNone);  // the window's client edge frames it
    const ChildLook picture = LookOfId(kThumbnailBox);
    EXPECT_EQ(picture.picture, ChildPicture::kThumbnail);
    EXPECT_EQ(picture.backColour, 0xE0E0E0);
    EXPECT_EQ(picture.edge, ChildEdge::kRaised);
}

// A caption or square that did not take clicks, or a panel that did not pass its
// children's messages on, would leave controls that do nothing.
TEST(DialogChildLook, EveryInteractiveOwnerDrawnChildTakesInput) {
    for (const ControlSpec& control : DialogControls()) {
        const ChildInput input = InputOf(control.kind);
        if (control.kind == ControlKind::kPanel) {
            EXPECT_EQ(input, ChildInput::kRoutesChildMessages) << NameOf(control.id);
        } else if (control.kind == ControlKind::kClickableCaption ||
                   control.kind == ControlKind::kOptionSquare) {
            EXPECT_EQ(input, ChildInput::kClicks) << NameOf(control.id);
        }
    }
    EXPECT_EQ(InputOf(ControlKind::kPreview), ChildInput::kNone);
    // Only the link acts on the press; the captions beside squares act on a whole click.
    EXPECT_TRUE(ActsOnPress(*FindControl(kHomepageLink)));
    EXPECT_FALSE(ActsOnPress(*FindControl(kPerspectiveOffCaption)));
    EXPECT_EQ(InputOf(ControlKind::kButton), ChildInput::kNone);
}

TEST(DialogChildLook, UnderlineSitsBelowTheBaselineButInsideTheBox) {
    // Room below the baseline: one pixel under it, as wide as the text.
    EXPECT_EQ(UnderlineBox(0, 0, 20, 11, 57, 96), (PixelBox{0, 12, 57, 1}));
    // A box only as tall as the characters: pulled up to its last row.
    EXPECT_EQ(UnderlineBox(0, 0, 13, 12, 40, 96), (PixelBox{0, 12, 40, 1}));
    // Twice the DPI: twice as thick, still inside.
    EXPECT_EQ(UnderlineBox(0, 0, 26, 24, 80, 192), (PixelBox{0, 24, 80, 2}));
    // Below 96 dpi it never vanishes.
    EXPECT_EQ(UnderlineBox(5, 2, 30, 10, 9, 72).height, 1);
}

}  // namespace
}  // namespace velnor
