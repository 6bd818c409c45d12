// The press-and-release rule of button-like children.
#include "ui/click_rule.h"

namespace velnor {

ClickSteps ClickStepsOf(MouseButtonEvent event, bool actsOnPress, bool hasCapture, bool inside) {
    ClickSteps steps;
    if (event == MouseButtonEvent::kLeftRelease) {
        steps.releaseCapture = hasCapture;
        steps.reportClick = hasCapture && inside;
    } else if (actsOnPress) {
        steps.reportClick = true;
    } else {
        steps.takeCapture = event == MouseButtonEvent::kLeftPress;
    }
    return steps;
}

}  // namespace velnor
