// When a child window that takes clicks the way a button does reports one: a click is a
// left press and a left release inside the child, unless the child acts on the press; and
// how such a child takes the keyboard. Portable, so the rules are tested without a window.
#pragma once

namespace velnor {

// A mouse button's press or release on such a child.
enum class MouseButtonEvent { kLeftPress, kOtherPress, kLeftRelease };

// What the child does with a button event. The left press takes the mouse capture, and
// the release while the child holds it gives the capture back and reports the click when
// the mouse is still inside. A child that acts on the press reports a click for a press
// of any button at once.
struct ClickSteps {
    bool takeCapture = false;
    bool releaseCapture = false;
    bool reportClick = false;
    bool operator==(const ClickSteps&) const = default;
};
ClickSteps ClickStepsOf(MouseButtonEvent event, bool actsOnPress, bool hasCapture, bool inside);

// How an owner-drawn child takes the keyboard.
enum class ChildKeys {
    kNone,         // no keys and no part in the dialog keys
    kStatic,       // static text, which the dialog keys pair with the control after it
    kButton,       // Space clicks
    kRadioButton,  // Space clicks; an arrow selects the other button of its pair
    kLink,         // Space and Enter click
};

}  // namespace velnor
