// The dialog's layout table: every control inside its panel, no two interactive controls
// overlapping, and the twips-to-pixels conversions at 100, 150 and 200 % scaling.
#include "dialog/dialog_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "dialog/control_ids.h"

namespace velnor {
namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

std::string Name(const ControlSpec& layoutEntry) {
    return std::string(control_id::NameOf(layoutEntry.id));
}

bool Overlap(const PixelBox& a, const PixelBox& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(DialogLayout, IdsAreUniqueNamedAndPanelsComeFirst) {
    std::set<int> seen;
    for (const ControlSpec& layoutEntry : DialogControls()) {
        EXPECT_TRUE(seen.insert(layoutEntry.id).second) << layoutEntry.id;
        EXPECT_FALSE(control_id::NameOf(layoutEntry.id).empty()) << layoutEntry.id;
        EXPECT_EQ(control_id::ByName(control_id::NameOf(layoutEntry.id)), layoutEntry.id);
        if (layoutEntry.parent != 0) {
            EXPECT_TRUE(seen.count(layoutEntry.parent))
                << Name(layoutEntry) << " created before its panel";
            EXPECT_EQ(FindControl(layoutEntry.parent)->kind, ControlKind::kPanel)
                << Name(layoutEntry);
        }
        EXPECT_GT(layoutEntry.width, 0) << Name(layoutEntry);
        EXPECT_GT(layoutEntry.height, 0) << Name(layoutEntry);
    }
    EXPECT_EQ(FindControl(12345), nullptr);
}

// Catches a control drawn over its panel's edge or cut off by it.
TEST(DialogLayout, EveryControlLiesInsideItsPanelAtEveryDpi) {
    for (const int dpi : kDpis) {
        for (const ControlSpec& layoutEntry : DialogControls()) {
            if (layoutEntry.parent == 0) continue;
            const ControlSpec& panel = *FindControl(layoutEntry.parent);
            EXPECT_GE(layoutEntry.left, 0) << Name(layoutEntry);
            EXPECT_LE(layoutEntry.left + layoutEntry.width, panel.width) << Name(layoutEntry);
            EXPECT_LE(layoutEntry.top + layoutEntry.height, panel.height) << Name(layoutEntry);
            const PixelBox box = ControlBox(layoutEntry, dpi);
            const PixelBox outer = ControlBox(panel, dpi);
            // Inside the one-pixel edge of the picture panels, which a child would cover.
            const int edge = panel.id == control_id::kContentPanel ? 0 : 1;
            EXPECT_GE(box.left, edge) << Name(layoutEntry) << " at " << dpi;
            EXPECT_GE(box.top, edge) << Name(layoutEntry) << " at " << dpi;
            EXPECT_LE(box.left + box.width, outer.width - edge)
                << Name(layoutEntry) << " at " << dpi;
            EXPECT_LE(box.top + box.height, outer.height - edge)
                << Name(layoutEntry) << " at " << dpi;
        }
    }
}

TEST(DialogLayout, InteractiveControlsDoNotOverlapAtAnyDpi) {
    const auto controls = DialogControls();
    for (const int dpi : kDpis) {
        for (std::size_t a = 0; a < controls.size(); ++a) {
            for (std::size_t b = a + 1; b < controls.size(); ++b) {
                const ControlSpec& x = controls[a];
                const ControlSpec& y = controls[b];
                if (x.parent != y.parent || !IsInteractive(x.kind) || !IsInteractive(y.kind)) {
                    continue;
                }
                EXPECT_FALSE(Overlap(ControlBox(x, dpi), ControlBox(y, dpi)))
                    << Name(x) << " and " << Name(y) << " at " << dpi;
            }
        }
    }
}

TEST(DialogLayout, CaptionsActOnAControlOfTheSamePanel) {
    std::map<int, int> captionsOf;
    for (const ControlSpec& layoutEntry : DialogControls()) {
        if (layoutEntry.kind != ControlKind::kClickableCaption ||
            layoutEntry.id == control_id::kHomepageLink)
            continue;
        ++captionsOf[layoutEntry.partner];
        const ControlSpec* partner = FindControl(layoutEntry.partner);
        ASSERT_NE(partner, nullptr) << Name(layoutEntry);
        EXPECT_EQ(partner->parent, layoutEntry.parent) << Name(layoutEntry);
        EXPECT_TRUE(partner->kind == ControlKind::kOptionSquare ||
                    partner->kind == ControlKind::kCheckBox)
            << Name(layoutEntry);
    }
    // Every check box and square is named and clicked by exactly one caption.
    for (const ControlSpec& layoutEntry : DialogControls()) {
        if (layoutEntry.kind == ControlKind::kOptionSquare ||
            layoutEntry.kind == ControlKind::kCheckBox) {
            EXPECT_EQ(captionsOf[layoutEntry.id], 1) << Name(layoutEntry);
        }
    }
}

// Fault caught: a build without a real address showed a made-up one as a clickable link.
TEST(DialogLayout, TheLinkIsAControlOnlyInABuildWithAHomepage) {
    int links = 0;
    for (const ControlSpec& layoutEntry : DialogControls()) {
        if (layoutEntry.id == control_id::kHomepageLink) ++links;
    }
    EXPECT_EQ(links, HomepageUrl().empty() ? 0 : 1);
    EXPECT_EQ(HomepageUrl().find(".invalid"), std::string_view::npos);
    // The credit line below it stays either way.
    EXPECT_NE(FindControl(control_id::kLblCredit), nullptr);
}

TEST(DialogLayout, PointerShowsAHandOnlyOverEnabledControlsThatAct) {
    using control_id::kHomepageLink;
    using control_id::kLblShapeHeading;
    using control_id::kPerspectiveOff;
    using control_id::kSaveButton;
    EXPECT_EQ(PointerOver(kSaveButton, true, false), Pointer::kHand);
    EXPECT_EQ(PointerOver(kPerspectiveOff, true, false), Pointer::kHand);
    EXPECT_EQ(PointerOver(kHomepageLink, true, false), Pointer::kLinkHand);
    EXPECT_EQ(PointerOver(kSaveButton, false, false), Pointer::kSystem);
    EXPECT_EQ(PointerOver(kLblShapeHeading, true, false), Pointer::kSystem);
    EXPECT_EQ(PointerOver(0, true, false), Pointer::kSystem);  // the window itself
    // Busy: the hourglass everywhere, disabled controls and plain captions too.
    for (const int id : {kSaveButton, kHomepageLink, kLblShapeHeading, 0}) {
        EXPECT_EQ(PointerOver(id, false, true), Pointer::kWait) << id;
    }
}

TEST(DialogLayout, ScrollBarsStartInsideTheirRanges) {
    struct Expected {
        int id, min, max, small, large, initial;
    };
    const Expected table[] = {
        {control_id::kShapeSpin, -16, -4, 1, 1, -10},
        {control_id::kDepthSpin, -25, -12, 1, 1, -25},
        {control_id::kBallRedBar, 0, 127, 1, 10, 0},
        {control_id::kBallBlueBar, 0, 127, 1, 10, 0},
        {control_id::kSpeedBar, 0, 10, 1, 1, 1},
        {control_id::kSizeBar, 96, 384, 1, 16, 144},
        {control_id::kIntervalBar, 10, 600, 10, 10, 30},
    };
    for (const Expected& e : table) {
        const ControlSpec& layoutEntry = *FindControl(e.id);
        EXPECT_EQ(layoutEntry.range.min, e.min) << Name(layoutEntry);
        EXPECT_EQ(layoutEntry.range.max, e.max) << Name(layoutEntry);
        EXPECT_EQ(layoutEntry.range.smallChange, e.small) << Name(layoutEntry);
        EXPECT_EQ(layoutEntry.range.largeChange, e.large) << Name(layoutEntry);
        EXPECT_EQ(layoutEntry.initialValue, e.initial) << Name(layoutEntry);
    }
    for (const ControlSpec& layoutEntry : DialogControls()) {
        if (layoutEntry.kind != ControlKind::kSpin && layoutEntry.kind != ControlKind::kHScrollBar)
            continue;
        EXPECT_LE(layoutEntry.range.min, layoutEntry.initialValue) << Name(layoutEntry);
        EXPECT_GE(layoutEntry.range.max, layoutEntry.initialValue) << Name(layoutEntry);
    }
}

TEST(DialogLayout, TwipsConvertWithHalvesRoundedAwayFromZero) {
    struct Case {
        int twips, dpi, pixels;
    };
    const Case cases[] = {
        {15, 96, 1},      {7, 96, 0},         {8, 96, 1},       {195, 96, 13},    {4500, 96, 300},
        {195, 144, 20},   {185, 144, 19},     {4500, 144, 450}, {-195, 144, -20}, {195, 192, 26},
        {4500, 192, 600}, {12435, 192, 1658}, {270, 120, 23},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
    }
}

TEST(DialogLayout, SizesAtOneHundredOneHundredFiftyAndTwoHundredPercent) {
    EXPECT_EQ(DialogContentSize(96), (PixelSize{829, 425}));
    EXPECT_EQ(DialogContentSize(144), (PixelSize{1244, 638}));
    EXPECT_EQ(DialogContentSize(192), (PixelSize{1658, 850}));

    EXPECT_EQ(ControlBox(*FindControl(control_id::kPreviewBox), 96), (PixelBox{196, 12, 300, 300}));
    EXPECT_EQ(ControlBox(*FindControl(control_id::kPreviewBox), 144),
              (PixelBox{294, 18, 450, 450}));
    // Edges are converted, so a 195-twip square is 13, 20 or 26 pixels wherever it sits.
    for (const int id :
         {control_id::kPerspectiveOff, control_id::kPerspectiveOn, control_id::kWmfKind}) {
        EXPECT_EQ(ControlBox(*FindControl(id), 96).width, 13);
        EXPECT_EQ(ControlBox(*FindControl(id), 192).width, 26);
    }
    EXPECT_EQ(ListExtent(96), 169 + 300);
    EXPECT_EQ(ListExtent(192), 338 + 600);
    EXPECT_EQ(CaptionFontHeight(96), 13);
    EXPECT_EQ(CaptionFontHeight(144), 20);
    EXPECT_EQ(CaptionFontHeight(192), 26);
}

TEST(DialogLayout, CaptionFaceFallsBackToTheFirstShiftJisFaceThatDrawsLatinText) {
    using Faces = std::vector<std::string>;
    const auto latin = [](const std::string& face) { return face != "Droid Sans Fallback"; };
    EXPECT_EQ(ChooseCaptionFace(Faces{"IPAGothic", "MS UI Gothic", "ＭＳ Ｐゴシック"}, latin),
              "ＭＳ Ｐゴシック");
    EXPECT_EQ(ChooseCaptionFace(Faces{"@IPAGothic", "Meiryo UI", "MS UI Gothic"}, latin),
              "MS UI Gothic");
    // None of the Japanese UI faces: the first real Shift-JIS face, not a vertical one, not
    // one without Latin glyphs, and not whatever the font mapper would pick.
    EXPECT_EQ(ChooseCaptionFace(
                  Faces{"@IPAPGothic", "Droid Sans Fallback", "IPAPGothic", "IPAGothic"}, latin),
              "IPAPGothic");
    EXPECT_EQ(ChooseCaptionFace(Faces{"@IPAPGothic", "", "Droid Sans Fallback"}, latin),
              std::nullopt);
    EXPECT_EQ(ChooseCaptionFace(Faces{}, latin), std::nullopt);
}

}  // namespace
}  // namespace velnor
