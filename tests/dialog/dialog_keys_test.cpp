// The dialog's keyboard data over the real layout table: the tab order reads the dialog,
// every focusable control has a name, option pairs and Alt+letter keys are consistent, and
// the focus ring goes where the system draws no focus of its own.
#include "dialog/dialog_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dialog/child_look.h"
#include "dialog/control_ids.h"

namespace velnor {
namespace {

using namespace control_id;

// A control's place for reading: (top, left) of each container from the window down.
std::vector<std::pair<int, int>> ReadingKey(int id) {
    std::vector<std::pair<int, int>> key;
    for (const ControlSpec* c = FindControl(id); c; c = FindControl(c->parent)) {
        key.insert(key.begin(), {c->top, c->left});
    }
    return key;
}

TEST(DialogKeys, TabOrderReadsPanelsThenRowsTopToBottomLeftToRight) {
    const std::vector<int> order = TabOrder();
    // Every control that takes the focus, once.
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), order.size());
    EXPECT_EQ(order.size(), static_cast<std::size_t>(
                                std::count_if(DialogControls().begin(), DialogControls().end(),
                                              [](const ControlSpec& c) { return TakesFocus(c); })));
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_LT(ReadingKey(order[i - 1]), ReadingKey(order[i]))
            << AccessibleName(order[i - 1]) << " before " << AccessibleName(order[i]);
    }
    EXPECT_EQ(order.front(), kShapeSpin);
    EXPECT_EQ(order.back(), kCancelButton);
    // Captions act on their control and take no focus; only the link does.
    for (const ControlSpec& control : DialogControls()) {
        if (control.kind != ControlKind::kClickableCaption) continue;
        EXPECT_EQ(TakesFocus(control), control.id == kHomepageLink) << control.id;
    }
}

TEST(DialogKeys, EveryFocusableControlHasTheNameOfItsCaption) {
    for (const int id : TabOrder()) EXPECT_FALSE(AccessibleName(id).empty()) << AccessibleName(id);
    const std::pair<int, std::string> names[] = {
        {kShapeSpin, "外観 (球体 = 10)"},  // the heading without its lead
        {kDepthSpin, "透視図（遠近)の深さ"},
        {kBallBlueBar, "青"},
        {kSpeedBar, "速さ"},
        {kPictureList, "背景画像のﾌｧｲﾙ名"},
        {kRandomDepthBox, "ﾗﾝﾀﾞﾑ"},  // the clickable caption beside it
        {kUseSampleBox, "ｻﾝﾌﾟﾙ画像を使用"},
        {kFullScreenSize, "全画面"},
        {kWholeSize, "全体"},
        {kPngKind, "*.png"},
        {kWmfKind, "*.wmf"},
        {kSaveButton, "設定"},
        {kHomepageLink, std::string(HomepageUrl())},
        {kShapeValue, ""},  // a value field is no caption of anything
    };
    for (const auto& [id, name] : names) EXPECT_EQ(AccessibleName(id), name) << id;
    // The window texts: a caption as it is painted, a control without one by its name.
    for (const auto& [id, text] :
         {std::pair{kLblShapeHeading, "・ 外観 (球体 = 10)"},
          std::pair{kShapeSpin, "外観 (球体 = 10)"}, std::pair{kRandomDepthBox, "ﾗﾝﾀﾞﾑ"},
          std::pair{kSaveButton, "設定"}}) {
        EXPECT_EQ(WindowTextOf(*FindControl(id)), text) << id;
    }
}

// Catches arrows that leave a group or skip a square, and groups whose squares are not side
// by side in reading order in one panel.
TEST(DialogKeys, OptionGroupsAreSquaresSideBySideInOnePanel) {
    int groups = 0;
    for (const int id : TabOrder()) {
        const std::vector<int> group = OptionGroup(id);
        if (group.empty() || !StartsPair(id)) continue;
        ++groups;
        EXPECT_EQ(group.front(), id);
        for (std::size_t i = 0; i < group.size(); ++i) {
            const int next = group[(i + 1) % group.size()];
            EXPECT_EQ(GroupNeighbour(group[i], 1), next);
            EXPECT_EQ(GroupNeighbour(next, -1), group[i]);
            EXPECT_EQ(FindControl(group[i])->selects, static_cast<int>(i));
            EXPECT_EQ(FindControl(group[i])->parent, FindControl(id)->parent);
            if (i > 0) {
                EXPECT_LT(ReadingKey(group[i - 1]), ReadingKey(group[i]));
            }
        }
    }
    EXPECT_EQ(groups, 4);
    EXPECT_EQ(OptionGroup(kOwnSize), (std::vector<int>{kOwnSize, kFullScreenSize, kWholeSize}));
    EXPECT_EQ(PairPartner(kBmpKind), 0);  // the kinds are separate choices
}

// Catches a pair whose second square starts a group of its own or is a Tab stop (Tab would
// stop twice and the arrows not move within the pair), and keys given to plain captions.
TEST(DialogKeys, PairsAreOneRadioGroupWithOneTabStopAndCaptionsAreStaticText) {
    struct Case {
        int id;
        ChildKeys keys;
        bool startsGroup, tabStop;
    };
    const Case cases[] = {
        {kPerspectiveOff, ChildKeys::kRadioButton, true, true},
        {kPerspectiveOn, ChildKeys::kRadioButton, false, false},
        {kFullScreenSize, ChildKeys::kRadioButton, false, false},
        {kJpegKind, ChildKeys::kButton, true, true},
        {kJpegKindCaption, ChildKeys::kStatic, true, false},
        {kLblShapeHeading, ChildKeys::kStatic, true, false},
        {kHomepageLink, ChildKeys::kLink, true, true},
        {kShapeValue, ChildKeys::kNone, true, false},
        {kShapeSpin, ChildKeys::kNone, true, true},  // a system control: its own keys
    };
    for (const Case& c : cases) {
        const KeyRole role = KeyRoleOf(*FindControl(c.id));
        EXPECT_EQ(role.keys, c.keys) << c.id;
        EXPECT_EQ(role.startsGroup, c.startsGroup) << c.id;
        EXPECT_EQ(role.tabStop, c.tabStop) << c.id;
    }
}

TEST(DialogKeys, LettersAreUniqueAndLeadToAControlThatTakesTheFocus) {
    std::set<char> letters;
    for (const Mnemonic& m : Mnemonics()) {
        EXPECT_TRUE(m.letter >= 'A' && m.letter <= 'Z') << m.letter;
        EXPECT_TRUE(letters.insert(m.letter).second) << m.letter;
        const ControlSpec* target = FindControl(m.target);
        const ControlSpec* caption = FindControl(m.caption);
        ASSERT_TRUE(target && caption) << m.letter;
        EXPECT_TRUE(TakesFocus(*target)) << m.letter;
        if (m.clicks) {
            EXPECT_EQ(target->kind, ControlKind::kButton) << m.letter;
            EXPECT_EQ(m.caption, m.target) << m.letter;
        } else {
            // A heading leads to the first control under it in its panel.
            EXPECT_EQ(caption->kind, ControlKind::kLabel) << m.letter;
            EXPECT_EQ(caption->parent, target->parent) << m.letter;
            EXPECT_LT(ReadingKey(m.caption), ReadingKey(m.target)) << m.letter;
        }
    }
    const std::vector<Mnemonic> mnemonics = Mnemonics();
    for (const int button : {kSaveButton, kFactoryButton, kCancelButton}) {
        EXPECT_EQ(std::count_if(mnemonics.begin(), mnemonics.end(),
                                [button](const Mnemonic& m) { return m.target == button; }),
                  1);
    }
    ASSERT_TRUE(MnemonicOf('s'));
    EXPECT_EQ(MnemonicOf('s')->target, kSaveButton);
    EXPECT_FALSE(MnemonicOf('Q'));
    EXPECT_FALSE(MnemonicOf('1'));
}

TEST(DialogKeys, TheRingShowsTheFocusWhereTheSystemDrawsNone) {
    for (const ControlSpec& control : DialogControls()) {
        const FocusCue cue = FocusCueOf(control);
        EXPECT_EQ(cue != FocusCue::kNone, TakesFocus(control)) << control.id;
        if (control.kind == ControlKind::kButton) {
            EXPECT_EQ(cue, FocusCue::kSystem);
        }
        const ChildLook focused = LookOf(control, true, true, true);
        EXPECT_EQ(focused.focusRing, cue == FocusCue::kRing) << control.id;
        EXPECT_FALSE(LookOf(control, true, true, false).focusRing) << control.id;
    }
}

}  // namespace
}  // namespace velnor
