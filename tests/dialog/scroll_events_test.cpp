// The dialog's scroll bars: values set by code, arrows and trough at the range's ends,
// and thumb drags whose end runs one Change when the value moved (the spins have only
// Change events, so a drag that ran none would leave their value fields stale).
#include "dialog/scroll_events.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialog/control_ids.h"

namespace velnor {
namespace {

using A = ScrollAction;

ScrollBarValue BarOf(int id) {
    const ControlSpec& layoutEntry = *FindControl(id);
    return ScrollBarValue(layoutEntry.range, layoutEntry.initialValue);
}

struct Step {
    ScrollAction action;
    int position;
    int value;  // expected afterwards
    bool scroll;
    bool change;
};

void RunSteps(ScrollBarValue bar, const std::vector<Step>& steps, const char* what) {
    int n = 0;
    for (const Step& step : steps) {
        const ScrollEvents events = bar.Apply(step.action, step.position);
        EXPECT_EQ(bar.value(), step.value) << what << ", step " << n;
        EXPECT_EQ(events.scroll, step.scroll) << what << ", step " << n;
        EXPECT_EQ(events.change, step.change) << what << ", step " << n;
        ++n;
    }
}

TEST(DialogScrollBars, CodeSetsOnlyValuesInsideTheRangeAndEqualValuesRunNothing) {
    ScrollBarValue depth = BarOf(control_id::kDepthSpin);  // -25..-12, initially -25
    EXPECT_EQ(depth.Set(-26), SetByCode::kRefused);
    EXPECT_EQ(depth.value(), -25);
    EXPECT_EQ(depth.Set(-25), SetByCode::kUnchanged);
    EXPECT_EQ(depth.Set(-12), SetByCode::kChanged);
    EXPECT_EQ(depth.value(), -12);
    EXPECT_EQ(depth.Set(-11), SetByCode::kRefused);
    EXPECT_EQ(depth.value(), -12);
}

TEST(DialogScrollBars, ArrowsAndTroughStopAtTheEnds) {
    RunSteps(BarOf(control_id::kShapeSpin),  // -16..-4 from -10, steps 1 / 1
             {{A::kLineUp, 0, -11, false, true},
              {A::kEndScroll, -11, -11, false, false},
              {A::kPageUp, 0, -12, false, true},
              {A::kTop, 0, -16, false, true},
              {A::kLineUp, 0, -16, false, false},
              {A::kBottom, 0, -4, false, true},
              {A::kLineDown, 0, -4, false, false}},
             "the shape spin");
    RunSteps(BarOf(control_id::kIntervalBar),  // 10..600 from 30, steps 10 / 10
             {{A::kPageUp, 0, 20, false, true},
              {A::kLineUp, 0, 10, false, true},
              {A::kLineUp, 0, 10, false, false},
              {A::kPageDown, 0, 20, false, true}},
             "the interval bar");
}

TEST(DialogScrollBars, ThumbDragRunsScrollPerStepAndOneChangeAtItsEnd) {
    const ScrollBarValue aspect = BarOf(control_id::kShapeSpin);
    // Dragged from -10 to -14 and released there: the release is the one Change.
    RunSteps(aspect,
             {{A::kThumbTrack, -12, -12, true, false},
              {A::kThumbTrack, -14, -14, true, false},
              {A::kThumbTrack, -14, -14, false, false},
              {A::kThumbPosition, -14, -14, false, true},
              {A::kEndScroll, -14, -14, false, false}},
             "released away from the start");
    // Dragged away and back: nothing changed at the end.
    RunSteps(aspect,
             {{A::kThumbTrack, -13, -13, true, false},
              {A::kThumbTrack, -10, -10, true, false},
              {A::kThumbPosition, -10, -10, false, false}},
             "released where it started");
    // A drag whose release position never came ends with the end of the scroll.
    RunSteps(aspect, {{A::kThumbTrack, -5, -5, true, false}, {A::kEndScroll, -5, -5, false, true}},
             "ended without a release position");
    // Thumb positions outside the range are limited to it.
    RunSteps(
        BarOf(control_id::kSizeBar),
        {{A::kThumbTrack, 1000, 384, true, false}, {A::kThumbPosition, 1000, 384, false, true}},
        "the size bar beyond its end");
    // A drag after a completed one starts from the new value.
    RunSteps(aspect,
             {{A::kThumbTrack, -6, -6, true, false},
              {A::kThumbPosition, -6, -6, false, true},
              {A::kThumbTrack, -7, -7, true, false},
              {A::kThumbTrack, -6, -6, true, false},
              {A::kThumbPosition, -6, -6, false, false}},
             "two drags");
}

TEST(DialogScrollBars, PositionPutOnTheBarFromOutsideIsAChangeAtTheEndOfTheScroll) {
    RunSteps(BarOf(control_id::kBallGreenBar),
             {{A::kEndScroll, 100, 100, false, true},
              {A::kThumbPosition, 100, 100, false, false},
              {A::kEndScroll, 100, 100, false, false}},
             "the green bar");
}

}  // namespace
}  // namespace velnor
