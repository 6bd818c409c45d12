// The press-and-release rule of children that take clicks the way buttons do.
#include "ui/click_rule.h"

#include <gtest/gtest.h>

namespace velnor {
namespace {

TEST(ClickRule, AClickIsAPressAndAReleaseInsideUnlessTheChildActsOnThePress) {
    using enum MouseButtonEvent;
    const ClickSteps capture{true, false, false};
    const ClickSteps nothing{};
    // A whole click: the left press captures, the release inside gives it back and reports.
    EXPECT_EQ(ClickStepsOf(kLeftPress, false, false, true), capture);
    EXPECT_EQ(ClickStepsOf(kLeftRelease, false, true, true), (ClickSteps{false, true, true}));
    // Released outside: the capture goes back without a click.
    EXPECT_EQ(ClickStepsOf(kLeftRelease, false, true, false), (ClickSteps{false, true, false}));
    // A release the child did not see pressed (no capture) does nothing.
    EXPECT_EQ(ClickStepsOf(kLeftRelease, false, false, true), nothing);
    // The right and middle buttons never click a child that waits for the release.
    EXPECT_EQ(ClickStepsOf(kOtherPress, false, false, true), nothing);
    // A child that acts on the press reports any button's press, without capturing.
    for (const MouseButtonEvent press : {kLeftPress, kOtherPress}) {
        EXPECT_EQ(ClickStepsOf(press, true, false, true), (ClickSteps{false, false, true}));
    }
    EXPECT_EQ(ClickStepsOf(kLeftRelease, true, false, true), nothing);
}

}  // namespace
}  // namespace velnor
