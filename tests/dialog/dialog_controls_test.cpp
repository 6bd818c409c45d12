// Every row of the control table through the model and the keyboard rules: a control that
// is laid out but does nothing, edits no setting, cannot be reached by Tab or has no name
// for a screen reader fails here, whatever control it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog/dialog_keys.h"
#include "dialog_model_fixture.h"
#include "settings/settings_table.h"

namespace velnor {
namespace {

using namespace dialog_test;

// The control a click on `control` acts on: a caption's partner, else the control itself.
const ControlSpec& Target(const ControlSpec& control) {
    if (control.kind != ControlKind::kClickableCaption || control.partner == 0) return control;
    return *FindControl(control.partner);
}

std::string KeyOf(const ControlSpec& control) {
    return std::string(FindSetting(control.shows)->key);
}

// Catches a check box, picture-kind square or their caption that a click leaves dead
// (a row without its setting, or a click rule that forgets the control).
TEST(DialogControls, EveryCheckBoxAndKindSquareAndItsCaptionTogglesWhatItSaves) {
    int checked = 0;
    for (const ControlSpec& control : DialogControls()) {
        const ControlSpec& target = Target(control);
        const bool toggles = target.kind == ControlKind::kCheckBox ||
                             (target.kind == ControlKind::kOptionSquare && target.selects < 0);
        if (!toggles) continue;
        ++checked;
        Dialog d;
        ASSERT_FALSE(target.shows.empty()) << control.id << " edits no setting";
        const std::string key = KeyOf(target);
        const std::string before = d.Written()[key];
        ASSERT_TRUE(d.model.Click(control.id)) << control.id;
        EXPECT_NE(d.Written()[key], before) << control.id;
        ASSERT_TRUE(d.model.Click(control.id)) << control.id;
        EXPECT_EQ(d.Written()[key], before) << control.id << ": a second click restores it";
    }
    EXPECT_GT(checked, 0);
}

// Catches a square of a pair (or its caption) that stores the wrong value or none, or
// that shows the other square selected: after its click the dialog writes what a dialog
// loaded with the square's value writes.
TEST(DialogControls, EverySquareOfAPairAndItsCaptionStoresTheValueItStandsFor) {
    for (const ControlSpec& control : DialogControls()) {
        const ControlSpec& square = Target(control);
        if (square.kind != ControlKind::kOptionSquare || square.selects < 0) continue;
        const SettingRow& row = *FindSetting(square.shows);
        SaverSettings other = Defaults();
        SetNumber(row, other, square.selects == 0 ? 1 : 0);
        Dialog d(other);
        ASSERT_TRUE(d.model.Click(control.id)) << control.id;
        SaverSettings wanted = Defaults();
        SetNumber(row, wanted, square.selects);
        EXPECT_EQ(d.Written()[KeyOf(square)], Dialog(wanted).Written()[KeyOf(square)])
            << control.id;
        EXPECT_EQ(d.model.SquareSelected(square.id), true) << control.id;
        for (const int member : OptionGroup(square.id)) {
            if (member != square.id) {
                EXPECT_EQ(d.model.SquareSelected(member), false) << member;
            }
        }
    }
}

// Catches a scroll bar whose steps reach no setting.
TEST(DialogControls, EveryScrollBarMovesTheValueItSaves) {
    for (const ControlSpec& bar : DialogControls()) {
        if (!IsScrollBar(bar.kind)) continue;
        Dialog d;
        const std::string key = KeyOf(bar);
        d.model.Scroll(bar.id, ScrollAction::kTop, 0);
        const std::string atTop = d.Written()[key];
        d.model.Scroll(bar.id, ScrollAction::kBottom, 0);
        EXPECT_NE(d.Written()[key], atTop) << bar.id;
    }
}

// Catches a control the keyboard cannot reach or a screen reader cannot name: every
// control that takes input is a Tab stop with a name, or a caption of one.
TEST(DialogControls, EveryControlThatTakesInputIsReachedByTabAndNamed) {
    const std::vector<int> order = TabOrder();
    for (const ControlSpec& control : DialogControls()) {
        if (!IsInteractive(control.kind)) continue;
        const int stop = Target(control).id;
        EXPECT_NE(std::find(order.begin(), order.end(), stop), order.end()) << control.id;
        EXPECT_FALSE(AccessibleName(stop).empty()) << control.id;
    }
}

// Catches a control left enabled (or disabled) whatever its enabling setting says, and a
// caption that stays clickable while its control is disabled.
TEST(DialogControls, EnablingFollowsTheSettingAndCaptionsFollowTheirControls) {
    for (const int on : {0, 1}) {
        SaverSettings s = Defaults();
        for (const ControlSpec& control : DialogControls()) {
            if (!control.enabledBy.empty()) SetNumber(*FindSetting(control.enabledBy), s, on);
        }
        Dialog d(s);
        for (const ControlSpec& control : DialogControls()) {
            const ControlSpec& target = Target(control);
            EXPECT_EQ(d.model.Enabled(control.id), d.model.Enabled(target.id)) << control.id;
            if (target.enabledBy.empty()) {
                EXPECT_TRUE(d.model.Enabled(control.id)) << control.id;
            } else {
                EXPECT_EQ(d.model.Enabled(control.id), (on != 0) != target.enabledWhileZero)
                    << control.id;
            }
        }
    }
}

}  // namespace
}  // namespace velnor
